// The menu table of the main program and the actions of its entries.
#include "app/menu.h"

#include "article_photo.h"
#include "dane/globals.h"
#include "keldox/classifiers.h"
#include "keldox/credit_limits.h"
#include "keldox/date_ranges.h"
#include "keldox/email.h"
#include "keldox/exchange_rates.h"
#include "keldox/execution_log.h"
#include "keldox/messages.h"
#include "keldox/price_windows.h"
#include "keldox/sql_text.h"
#include "keldox/statement_window.h"
#include "record_choice.h"
#include "register_contractor.h"
#include "runtime/decimal.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"

namespace app {
namespace {

AfterEntry about() {
  keldox::MSG_INFORMACJA("Mirlet|Wersja " + std::string(program_version()));
  return AfterEntry::Continue;
}

// The session's working period, the default of every list that asks for a period.
AfterEntry period() {
  std::int32_t from = 0, to = 0;
  std::string name;
  keldox::PYTAJOZAKRESDAT(1, from, to, name);
  return AfterEntry::Continue;
}

std::string amount_text(double value) {
  return runtime::Decimal::from_double(value, 15, 2).to_text(',');
}

// The main program has no document lines of its own: the converter works on a price of 100,00 and tells
// what it would hand back.
AfterEntry discount_converter() {
  double percentage = 0, price = 100;
  keldox::PRZELICZNIKRABATU(percentage, price);
  keldox::MSG_INFORMACJA("Rabat/narzut: " + amount_text(percentage) + " %|Cena: " + amount_text(price));
  return AfterEntry::Continue;
}

// Likewise the change for an amount due of 100,00.
AfterEntry change_calculator() {
  double due = 100, paid = 0, change = 0;
  keldox::WYDAWANIERESZTY(due, paid, change);
  return AfterEntry::Continue;
}

// The payers whose sales are checked (a limit or a blocking mode), until the contractor lists come.
AfterEntry payer_credit_limit() {
  const auto payer = choose_record(
      "Limit kupiecki płatnika", "Płatnik",
      "select id_kontrahenta,nazwa from kontrahent where id_firmy=" + keldox::sql_id(dane::GLO.ID_FIRMY) +
          " and (isnull(blokowanie,0)<>0 or isnull(limit_kupiecki,0)<>0) order by nazwa",
      "Żaden kontrahent nie ma limitu kupieckiego ani blokady sprzedaży.");
  if (payer) keldox::LIMITKUPIECKI(1, *payer, *payer, 0, 0);
  return AfterEntry::Continue;
}

// The additional fields of an article, until the article lists come: edited and saved as its form does.
AfterEntry article_fields() {
  const auto article = choose_record(
      "Pola dodatkowe artykułu", "Artykuł",
      "select top 200 id_artykulu,nazwa+' ('+indeks_katalogowy+', magazyn '+cast(id_magazynu as "
      "varchar(10))+')' from artykul order by nazwa,id_magazynu",
      "Brak artykułów.");
  if (!article) return AfterEntry::Continue;
  keldox::ClassifierValues values{};
  if (keldox::KLASYFIKATORY_OKNO("id_artykulu", "Artykul", *article, values, 2) == 1)
    keldox::KLASYFIKATORY_ZAPISZ("id_artykulu", "Artykul", *article, values);
  return AfterEntry::Continue;
}

// Only the question for now: the window that closes a working day comes with the session's closing work.
AfterEntry end_work() {
  return keldox::MSG_PYTANIE("Czy zakończyć pracę z programem Mirlet?") == 2 ? AfterEntry::EndSession
                                                                             : AfterEntry::Continue;
}

// The bank's latest table into the rate tables, told when it came in without a word of its own.
AfterEntry fetch_rates(bool nbp) {
  double day = 0;
  std::uint8_t message_shown = 0;
  const std::uint8_t imported =
      nbp ? keldox::POBIERZKURSYNBP(day, message_shown) : keldox::POBIERZKURSYECB(day, message_shown);
  if (imported == 1 && message_shown == 0)
    keldox::MSG_INFORMACJA(std::string("Pobrano kursy walut z banku ") + (nbp ? "NBP." : "ECB."));
  return AfterEntry::Continue;
}

std::vector<MenuEntry> build_entries() {
  std::vector<MenuEntry> entries;
  entries.push_back({"koniec_pracy", "System > Koniec pracy", end_work});
  entries.push_back({"zakres_dat", "System > Zakres dat", period});
  entries.push_back({"filtry_aplikacji", "System > Filtry aplikacji kontrahentów", [] {
                       // The contractor list's filter window is not built yet: its fields stand here.
                       dane::RecordGroup group("FKON");
                       for (const char* field : {"MIASTO", "SALDO_OD", "STALY"}) group.add(field);
                       slownik::LISTAFILTROWAPLIKACJI_BRW("Kontrahent_Brw", group);
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"skrypt_sql", "System > Skrypt SQL", [] {
                       // Any statement at all runs here: the administrator's tool alone.
                       if (dane::GLO.ID_UZYTKOWNIKA != 3000001) {
                         keldox::MSG_OSTRZEZENIE("Skrypt SQL może wykonać tylko Administrator.");
                       } else {
                         keldox::POKAZSQLWIN("", "Skrypt SQL");
                       }
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"profile_ustawien_brw", "System > Warianty ustawień wymiany danych XML", [] {
                       slownik::PROFILE_USTAWIEN_BRW("XML");
                       return AfterEntry::Continue;
                     }});
  for (const slownik::DictionaryEntry& d : slownik::dictionary_menu()) {
    entries.push_back({std::string(d.procedure), "Słowniki > " + std::string(d.menu), [open = d.open] {
                         open();
                         return AfterEntry::Continue;
                       }});
  }
  entries.push_back({"kursy_walut_brw", "Kursy walut > Kursy walut", [] {
                       slownik::KURSY_WALUT_BRW(0, 1, {});
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"kursy_nbp", "Kursy walut > Pobierz z NBP", [] { return fetch_rates(true); }});
  entries.push_back({"kursy_ecb", "Kursy walut > Pobierz z ECB", [] { return fetch_rates(false); }});
  entries.push_back({"przelicznik_rabatu", "Narzędzia > Przelicznik rabatu", discount_converter});
  entries.push_back({"wydawanie_reszty", "Narzędzia > Wydawanie reszty", change_calculator});
  entries.push_back({"limit_kupiecki", "Narzędzia > Limit kupiecki płatnika", payer_credit_limit});
  entries.push_back({"pola_dodatkowe_artykulu", "Narzędzia > Pola dodatkowe artykułu", article_fields});
  entries.push_back({"listy_kontrahentow", "Narzędzia > Listy kontrahentów", [] {
                       slownik::LISTY_OBIEKTOW("120");
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"listy_artykulow", "Narzędzia > Listy artykułów", [] {
                       slownik::LISTY_OBIEKTOW("102");
                       return AfterEntry::Continue;
                     }});
  entries.push_back(
      {"kontrahent_z_gus", "Narzędzia > Nowy kontrahent z rejestru GUS", contractor_from_register});
  // A message of the user's own: the modules call the same window with their documents attached.
  entries.push_back({"wyslij_email", "Narzędzia > Wyślij e-mail", [] {
                       keldox::SENDEMAIL("", "");
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"ustawienia_poczty", "System > Ustawienia poczty", [] {
                       keldox::USTAWIENIAPOCZTY();
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"wczytaj_zdjecie_artykulu", "Narzędzia > Wczytaj zdjęcie artykułu", load_article_photo});
  entries.push_back(
      {"zapisz_zdjecie_artykulu", "Narzędzia > Zapisz zdjęcie artykułu do pliku", save_article_photo});
  // The serial document run is the batch operation that leaves its skipped templates here.
  entries.push_back({"log_wykonania", "Narzędzia > Dokumenty pominięte w seryjnym wystawianiu", [] {
                       keldox::LOG_WYKONANIA("SzabDokSer");
                       return AfterEntry::Continue;
                     }});
  entries.push_back({"o_programie", "Pomoc > O programie", about});
  return entries;
}

bool same_parts(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (runtime::to_upper(a[i]) != runtime::to_upper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::span<const MenuEntry> menu_entries() {
  static const std::vector<MenuEntry> entries = build_entries();
  return entries;
}

std::vector<std::string> split_menu_path(std::string_view path) {
  std::vector<std::string> parts;
  while (true) {
    const auto gt = path.find('>');
    parts.emplace_back(runtime::trim(path.substr(0, gt)));
    if (gt == std::string_view::npos) break;
    path.remove_prefix(gt + 1);
  }
  return parts;
}

const MenuEntry* find_menu_entry(std::string_view path, std::span<const MenuEntry> entries) {
  const std::vector<std::string> wanted = split_menu_path(path);
  for (const MenuEntry& entry : entries) {
    if (same_parts(split_menu_path(entry.path), wanted)) return &entry;
  }
  return nullptr;
}

AfterEntry run_menu_entries(std::span<const MenuEntry* const> entries) {
  for (const MenuEntry* entry : entries) {
    if (entry->action() == AfterEntry::EndSession) return AfterEntry::EndSession;
  }
  return AfterEntry::Continue;
}

std::string_view program_version() {
  return MIRLET_VERSION;
}

}  // namespace app
