// Banks: shared master data with row locks, five stored sort orders and the direction button.
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {
// The use code of the bank list's marks.
constexpr std::int32_t kBankMarkingUse = 140;
}  // namespace

const Description& banks() {
  static const Description d = [] {
    Description d;
    d.browse = "Banki_Brw";
    d.form = "Banki_Upd";
    d.menu = "Banki";
    d.table = "BAN";
    d.registry = "Banki";
    d.columns_window = "Bank_Brw";
    d.parameter_owner = "Bank_Brw";
    d.title = "Lista banków";
    d.insert_title = "Dodawanie banku";
    d.change_title = "Edycja banku";
    d.insert_action = "Bank zostanie dodany";
    d.change_action = "Bank zostanie zmieniony";
    d.validation_failure = "Wystąpił problem podczas zatwierdzania danych banku! Powód: ";
    d.columns = {
        {.name = "ID_BANKU",
         .header = "Id",
         .picture = "@n9",
         .numeric = true,
         .in_list = false,
         .in_form = false},
        {.name = "NAZWA",
         .header = "Nazwa banku",
         .picture = "@s100",
         .required = true,
         .required_message = "Nazwa banku musi być wypełniona!"},
        {.name = "NUMER_BANKU", .header = "Nr banku", .picture = "@s50"},
        {.name = "SWIFT", .header = "SWIFT", .picture = "@s20"},
        {.name = "ULICA_LOKAL", .header = "Adres", .picture = "@s50"},
        {.name = "KOD_POCZTOWY", .header = "Kod", .picture = "@s10"},
        {.name = "MIEJSCOWOSC", .header = "Miejscowość", .picture = "@s50"},
    };
    d.sorts = {{"numer", {"NUMER_BANKU", "ID_BANKU"}},
               {"nazwa", {"NAZWA", "ID_BANKU"}},
               {"SWIFT", {"SWIFT", "ID_BANKU"}},
               {"kod", {"KOD_POCZTOWY", "ID_BANKU"}},
               {"miejscowość", {"MIEJSCOWOSC", "ID_BANKU"}}};
    d.permissions = {.base = "Banki", .genitive = "banków"};
    d.help_topic = "kar_fin_bank.htm";
    d.lock = RowLock{"banki", "ID_BANKU", "Bank jest aktualizowany przez innego użytkownika!",
                     "Czy usunąć ten bank?"};
    d.stored = StoredChoices{"sortowanie", "porządek"};
    d.marking = Marking{kBankMarkingUse, "ID_BANKU", "banków"};
    d.open = BANKI_BRW;
    return d;
  }();
  return d;
}

void BANKI_BRW() {
  run_requested_browse(banks());
}

void BANKI_UPD() {
  dane::TableRecordStore store(*dane::find_table(banks().table));
  run_dictionary_form(banks(), store);
}

}  // namespace slownik
