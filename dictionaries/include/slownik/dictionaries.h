// The dictionary windows of slownik and the loaders of the session lists that rest on them.
//
// Browse procedures read GLOBALREQUEST (4 selects: the chosen row stays in the table's record buffer) and
// leave their response (1 completed, 2 cancelled) in GLOBALRESPONSE; update forms are called with the
// request set and the record buffer loaded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dane/record_group.h"
#include "dane/window.h"
#include "runtime/date.h"

namespace slownik {

// VAT rates: the list with "Aktywność" (F4); the list of active rates is reloaded on closing when a rate
// changed.
void VAT_BRW();
// Currencies; answers 1, or 0 / -1 when the row was chosen with "Wybierz z NBP" / "Wybierz z ECB".
std::int32_t WALUTY_BRW();
// Banks, with their stored sort order and direction and the row locks of shared master data.
void BANKI_BRW();
void BANKI_UPD();
// Countries.
void KRAJ_BRW();

// The exchange-rate table from `day` on (today when below 1): the quotations of the chosen bank, each
// with its rates, the downloads and the forms Daty_Kursow_Upd and Kursy_Walut_Upd. Opened with flag 0 and
// the start-up setting "Pobierz z NBP" or "Pobierz z ECB", it fetches that bank's table of the day first.
// Completed when a table was fetched while it was open, else Cancelled.
dane::Response KURSY_WALUT_BRW(runtime::DayNumber day, std::uint8_t flag, std::string_view setting);
// Makes sure the day (today when 0 or less) has rates as the start-up setting "WalStartSys" asks,
// leading the user to the rate table; a `thread` above 0 then gets the event 1024.
void LADUJWALUTY(std::string_view force, std::string_view thread, runtime::DayNumber day = 0);

// GLO.KOLRACHBANK: the current company's default account of each currency, in currency order; the number
// of entries (0, the list empty, when the statement fails).
std::int32_t LADUJDOMYSLNERACHUNKI();
// Asks the database for the shipment's tracking address; a non-empty one goes to GLO.LASTURL and the
// main program's thread (GLO.WATEKAPP) gets the event that opens it.
void SLEDZENIEPRZESYLKI(double shipment_operator, std::string_view shipment_number);

// The dictionaries of additional fields ("PolaDodatkowe" governs adding, changing and deleting in all
// three): the list of dictionaries, the values of one, and the picker that the additional-field window
// opens. The picker reads the dictionary and the value to start at from the KLSW: buffer and leaves the
// chosen value there; it registers itself as "SLOWNIKIDOD" while open.
void SLOWNIK_KLAS_BRW();
void SLOWNIK_KLAS_WAR_BRW(std::uint32_t dictionary);
void SLOWNIK_KLASWAR_BRW();
// The picker in select mode over the buffer: the chosen value, or nothing when the user cancelled.
std::optional<std::string> pick_classifier_value(std::uint32_t dictionary, std::string_view current);
// The picture (without its "@") a new dictionary of the data type gets; "s100" for a type none of the four.
std::string classifier_dictionary_picture(std::string_view type);

// The firm's setting profiles of a context ("XML": the data exchange settings by trading partner): each a
// name and a value for every position of the context, assignable to contractors.
void PROFILE_USTAWIEN_BRW(std::string_view context);

// The application filters of a context (a filter window's name, "Kontrahent_Brw"), those shared with the
// user: adding one keeps the group's current values as the new filter's; choosing one in select mode fills
// the group with the values its author stored. "Użytkownicy filtra" (Ctrl+U) assigns users.
void LISTAFILTROWAPLIKACJI_BRW(std::string_view context, dane::RecordGroup& group);
// The filter's form over the DEFF: buffer with the request in GLOBALREQUEST.
void FILTRAPLIKACJI_UPD(std::string_view context, dane::RecordGroup& group);
// The firm's object lists of a use code ("120" contractors, "102" articles; the warehouse, when given, limits
// articles to its own), those shared with the user, with the users of each ("Użytkownicy listy", Ctrl+U).
// The form fills a list from the user's marks of the use code when asked. The third and fourth arguments
// are not used.
void LISTY_OBIEKTOW(std::string_view use, std::string_view warehouse = {}, std::string_view = {},
                    std::int32_t = 0);
// The list's form over the LOB: buffer with the request in GLOBALREQUEST.
void LISTY_OBIEKTOW_UPD(std::int32_t use, std::int32_t warehouse = 0, std::int32_t = 0, std::int32_t = 0);
// VATQ: the active VAT rates, rate descending, then code. A failing statement shows a stop message that
// lets the user end the program (GLO.WYJDZ_Z_HALTEM) or go on with the list empty.
void LOADVAT();

// The dictionaries of the main program's "Słowniki" menu, in order: the menu text and the procedure.
struct DictionaryEntry {
  std::string_view menu;       // "Waluty"
  std::string_view procedure;  // "Waluty_Brw"
  void (*open)();
};
std::span<const DictionaryEntry> dictionary_menu();

}  // namespace slownik
