// Session lists and services that rest on the currency data: the company's default account per currency
// and the tracking address of a shipment.
#include "dane/events.h"
#include "dane/globals.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"

namespace slownik {

std::int32_t LADUJDOMYSLNERACHUNKI() {
  auto& list = dane::GLO.KOLRACHBANK;
  list.reset();
  keldox::EXECSQL("select id_rachunku,sym_waluty from rachunek_firmy with (nolock) where id_firmy=" +
                  keldox::sql_id(dane::GLO.ID_FIRMY) + " and domyslny_wal=1");
  while (keldox::next_row()) {
    list.buffer.ID_RACHUNKU =
        static_cast<std::int32_t>(runtime::leading_integer(keldox::column(1)).value_or(0));
    list.buffer.SYM_WALUTY = keldox::column(2);
    list.add_in_order<dane::RachunekBankowyEntry::ByCurrency>();
  }
  keldox::CLOSESQL();
  return static_cast<std::int32_t>(list.count());
}

void SLEDZENIEPRZESYLKI(double shipment_operator, std::string_view shipment_number) {
  const std::string answer =
      keldox::FUNCSQL("select dbo.RM_Func_URL_SledzeniePrzesylki(" + keldox::sql_id(shipment_operator) + "," +
                      keldox::sql_text(runtime::trim_right(shipment_number)) + ")");
  const std::string address(runtime::cut_to_width(answer, 300));
  if (runtime::trim(address).empty()) return;
  dane::GLO.LASTURL = address;
  dane::post_event(dane::GLO.WATEKAPP, dane::kEventOpenTrackingAddress);
}

}  // namespace slownik
