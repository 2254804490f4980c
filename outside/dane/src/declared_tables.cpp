// The application's table declarations: record prefix, declared name and the database object behind it.
#include <deque>
#include <mutex>

#include "dane/table.h"
#include "runtime/text.h"

namespace dane {
namespace {

struct Declaration {
  std::string_view prefix;
  std::string_view name;
  std::string_view object;  // empty: the declared name
};

// The declared name gives the primary key its name (PK_<name>); VAT is declared over STAWKA_VAT, which
// the statements read, so that its key keeps the name PK_VAT.
constexpr Declaration kDeclarations[] = {
    {"ADRFIR", "ADRESY_FIRMY", {}},
    {"ADRPRA", "ADRESY_PRACOWNIKA", {}},
    {"AKCFP", "AKCYZA_FIRMA_PODATNIK", {}},
    {"ART", "ARTYKUL", {}},
    {"LOB", "MAG_LISTA_OBIEKTOW", {}},
    {"BAN", "BANKI", {}},
    {"CENART", "CENA_ARTYKULU", {}},
    {"CENKAT", "CENA_KATEGORII", {}},
    {"CRMK", "CRM_KALENDARZ", {}},
    {"DATKUR", "DATY_KURSOW", {}},
    {"DOKH", "DOKUMENT_HANDLOWY", {}},
    {"ETYD", "ETYKIETA_DOKUMENTU", {}},
    {"FIR", "FIRMA", {}},
    {"FORD", "FORMA_DOSTAWY", {}},
    {"FORP", "FORMA_PLATNOSCI", {}},
    {"JED", "JEDNOSTKA", {}},
    {"KAS", "KASY_FIRMY", {}},
    {"KLA", "KLASYFIKACJA_KONTRAHENTA", {}},
    {"KLSL", "KLASYFIKATOR_SLOWNIK", {}},
    {"KLSW", "KLASYFIKATOR_SLOWNIK_WAR", {}},
    {"KNTK", "KONTAKT", {}},
    {"KON1", "KONTRAHENT", {}},
    {"KRA", "KRAJE", {}},
    {"KUR", "KURSY_WALUT", {}},
    {"DEFF", "MAG_DEFINICJA_FILTRA", {}},
    {"FILU", "MAG_FILTR_UZYTKOWNIKA", {}},
    {"MAOP", "MAG_OPERATOR_PRZESYLKI", {}},
    {"MSSD", "MAG_SLOWNIK_STATUSOW_DOKUMENTOW", {}},
    {"MAG", "MAGAZYN", {}},
    {"PROFU", "MAG_PROFILE_USTAWIEN", {}},
    {"JPKSO", "MAGJPK_SLOWNIK_OPISOW", {}},
    {"ODS", "ODSETKI", {}},
    {"OSOP", "OSOBA_POWIAZANA", {}},
    {"PRA", "PRACOWNIK", {}},
    {"RACHFIR", "RACHUNEK_FIRMY", {}},
    {"RACHKON", "RACHUNEK_KONTRAHENTA", {}},
    {"RACHPRAC", "RACHUNEK_PRACOWNIKA", {}},
    {"RACHURZ", "RACHUNEK_URZEDU", {}},
    {"RWI", "RACHUNEK_WIRTUALNY", {}},
    {"RAP", "RAPORT", {}},
    {"ROF", "RODZAJ_OPERACJI_FIN", {}},
    {"SMSSZ", "SMS_SZABLON", {}},
    {"SMST", "SMS_TRACKING_URL", {}},
    {"SMSTH", "SMS_TRACKING_URL_HISTORIA", {}},
    {"TABODS", "TABELA_ODSETEK", {}},
    {"TYPDF", "TYP_DOKUMENTU_FINANSOWEGO", {}},
    {"TYPDH", "TYP_DOKUMENTU_HANDLOWEGO", {}},
    {"TYPDMAG", "TYP_DOKUMENTU_MAGAZYNOWEGO", {}},
    {"URZ", "URZEDY", {}},
    {"UZY", "UZYTKOWNIK", {}},
    {"UZY1", "UZYTKOWNIK", {}},
    {"VAT", "VAT", "STAWKA_VAT"},
    {"VRZS", "WIDOK_REJESTR_ZMIAN_STATUSOW_ZAMOWIEN", {}},
    {"WAL", "WALUTY", {}},
    {"WAR", "WARIANT", {}},
    {"WOJ", "WOJEWODZTWO", {}},
};

// Tables are never removed, so references handed out stay valid for the process.
struct Registry {
  std::mutex mutex;
  std::deque<Table> tables;

  Registry() {
    for (const Declaration& d : kDeclarations) tables.emplace_back(d.prefix, d.name, d.object);
  }

  Table* find(std::string_view prefix) {
    prefix = runtime::trim(prefix);
    if (!prefix.empty() && prefix.back() == ':') prefix.remove_suffix(1);
    for (Table& t : tables) {
      if (runtime::same_name(t.prefix(), prefix)) return &t;
    }
    return nullptr;
  }
};

// Never destroyed: a table's destructor touches thread-local state, which is gone by static destruction.
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

}  // namespace

Table* find_table(std::string_view prefix) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.find(prefix);
}

Table& declare_table(std::string_view prefix, std::string_view name, std::string_view object) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  if (Table* t = r.find(prefix)) return *t;
  return r.tables.emplace_back(prefix, name, object);
}

}  // namespace dane
