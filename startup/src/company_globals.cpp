// The company-wide globals: month names, small-taxpayer status and the cash accounting method.
#include <array>
#include <string_view>

#include "dane/globals.h"
#include "dane/record_fields.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "loading.h"
#include "start/loaders.h"

namespace start {

void LADUJZMIENNEGLOBALNE() {
  using dane::GLO;
  constexpr std::array<std::string_view, 12> kMonths = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                                        "maj",      "czerwiec",    "lipiec",   "sierpień",
                                                        "wrzesień", "październik", "listopad", "grudzień"};
  for (std::size_t m = 0; m < kMonths.size(); ++m) GLO.TABLICAMIESIECY[m] = kMonths[m];
  GLO.MP = 0;
  GLO.METODA_KASOWA = 0;
  if (loading::run("select MP,METODA_KASOWA from firma with (nolock) where id_firmy=" +
                   keldox::sql_id(GLO.ID_FIRMY)) &&
      keldox::next_row()) {
    dane::assign_from_text(GLO.MP, keldox::column(1));
    dane::assign_from_text(GLO.METODA_KASOWA, keldox::column(2));
  }
  keldox::CLOSESQL();
}

}  // namespace start
