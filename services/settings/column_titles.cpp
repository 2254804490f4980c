// The titles of the column configuration window by the browse window it configures.
#include <array>
#include <utility>

#include "keldox/column_configuration.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 26> kTitles{{
    {"Artykul_Brw", "Konfiguracja kolumn kartoteki asortymentowej"},
    {"Kontrahent_Brw", "Konfiguracja kolumn kartoteki kontrahentów"},
    {"Rozrachunek_Brw", "Konfiguracja kolumn kartoteki rozrachunków"},
    {"Dokument_Handlowy_Brw", "Konfiguracja kolumn kartoteki dokumentów handlowych"},
    {"Korekta_Upd", "Konfiguracja kolumn formularza korekty"},
    {"Bufor_Brw", "Konfiguracja kolumn bufora"},
    {"Intrastat_Brw", "Konfiguracja kolumn dokumentu intrastat"},
    {"Dokument_Handlowy_Upd", "Konfiguracja kolumn formularza dokumentu handlowego"},
    {"Dokument_Magazynowy_Upd", "Konfiguracja kolumn formularza dokumentu magazynowego"},
    {"Zamowienie_Upd", "Konfiguracja kolumn formularza zamówienia"},
    {"HistoriaStatusowZamowien_BRW", "Konfiguracja kolumn historii stanów zamówień i rezerwacji"},
    {"Dokument_Finansowy_Brw", "Konfiguracja kolumn kartoteki dokumentów finansowych"},
    {"Dokument_Magazynowy_Brw", "Konfiguracja kolumn kartoteki dokumentów magazynowych"},
    {"Sad_Brw", "Konfiguracja kolumn kartoteki dokumentów sad"},
    {"Magazyn_Brw", "Konfiguracja kolumn kartoteki magazynów"},
    {"Remanent_Brw", "Konfiguracja kolumn kartoteki remanentów"},
    {"Zamowienie_Brw", "Konfiguracja kolumn kartoteki zamówień"},
    {"Zlecenie_Produkcyjne_Brw", "Konfiguracja kolumn kartoteki zleceń produkcyjnych"},
    {"Zlecenie_Serwisowe_Brw", "Konfiguracja kolumn kartoteki zleceń serwisowych"},
    {"Kontakt_Kontrahenta_Brw", "Konfiguracja kolumn kontaktów kontrahenta"},
    {"Pozycja_Intrastat_Brw", "Konfiguracja kolumn pozycji dokumentu intrastat"},
    {"Pracownik_Brw", "Konfiguracja kolumn pracowników"},
    {"Sprzedaz_Detaliczna_Brw", "Konfiguracja kolumn sprzedaży detalicznej"},
    {"Stan_Zamowien_Brw", "Konfiguracja kolumn stanów zamówień i rezerwacji"},
    {"Trasa_Brw", "Konfiguracja kolumn tras"},
    {"Zadanie_Brw", "Konfiguracja kolumn zadań"},
}};

}  // namespace

std::string column_configuration_title(std::string_view window) {
  const std::string_view name = runtime::trim_left(window);
  for (const auto& [window_name, title] : kTitles) {
    if (runtime::same_name(window_name, name)) return std::string(title);
  }
  return "Konfiguracja kolumn";
}

}  // namespace keldox
