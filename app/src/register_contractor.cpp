// The register fills the contractor's fields; the user checks them in a form and the contractor is added
// with the company's next number, unless one with that tax number is there already.
#include "register_contractor.h"

#include <string>

#include "dane/form.h"
#include "dane/globals.h"
#include "dane/record_group.h"
#include "dane/window.h"
#include "keldox/messages.h"
#include "keldox/register_lookup.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace app {
namespace {

struct ContractorField {
  const char* name;
  const char* label;
  const char* picture;
};

constexpr ContractorField kFields[] = {
    {"NAZWA", "Nazwa", "@s50"},
    {"NAZWA_PELNA", "Pełna nazwa", "@s255"},
    {"NIP", "NIP", "@s13"},
    {"KOD_POCZTOWY", "Kod pocztowy", "@s20"},
    {"MIEJSCOWOSC", "Miejscowość", "@s50"},
    {"ULICA_LOKAL", "Ulica i lokal", "@s50"},
};

class ContractorForm final : public dane::FormWindow {
 public:
  explicit ContractorForm(const dane::RecordGroup& found) : FormWindow("KontrahentGUS") {
    for (const ContractorField& f : kFields) add_field({f.name, f.label, f.picture, found.value(f.name)});
    const std::string title = "Nowy kontrahent z rejestru GUS";
    set_title(title);
    set_mode_titles(title, title);
    set_closing_buttons("Zapisz", "Anuluj");
  }

 protected:
  std::optional<std::string> validate_record() override {
    if (runtime::trim(value("NAZWA")).empty()) {
      keldox::MSG_OSTRZEZENIE("Podaj nazwę kontrahenta.");
      return std::string("NAZWA");
    }
    const std::string nip(runtime::trim(value("NIP")));
    if (!nip.empty()) {
      const std::string existing(runtime::trim(keldox::FUNCSQL(
          "select top 1 NAZWA from KONTRAHENT where ID_FIRMY=" + keldox::sql_id(dane::GLO.ID_FIRMY) +
          " and NIP=" + keldox::sql_text(nip))));
      if (!existing.empty()) {
        keldox::MSG_OSTRZEZENIE("Kontrahent o numerze NIP " + nip + " już istnieje: " + existing + ".");
        return std::string("NIP");
      }
    }
    return std::nullopt;
  }

  bool save() override {
    std::string columns = "ID_FIRMY, NUMER, ODBIORCA, DOSTAWCA";
    const std::string firm = keldox::sql_id(dane::GLO.ID_FIRMY);
    std::string values = firm + ", isnull(max(NUMER),0)+1, 1, 1";
    for (const ContractorField& f : kFields) {
      columns += std::string(", ") + f.name;
      values += ", " + keldox::sql_text(runtime::trim(value(f.name)));
    }
    const bool added = keldox::ESQL("insert into KONTRAHENT (" + columns + ") select " + values +
                                    " from KONTRAHENT where ID_FIRMY=" + firm) == 0;
    keldox::CLOSESQL();
    if (added)
      keldox::MSG_INFORMACJA("Dodano kontrahenta " + std::string(runtime::trim(value("NAZWA"))) + ".");
    return added;
  }
};

}  // namespace

AfterEntry contractor_from_register() {
  dane::RecordGroup found("KON");
  for (const ContractorField& f : kFields) found.add(f.name);
  if (keldox::PODAJDANEGUS(found) != 1) return AfterEntry::Continue;
  ContractorForm form(found);
  form.set_request(dane::Request::Insert);
  dane::run_window(form);
  return AfterEntry::Continue;
}

}  // namespace app
