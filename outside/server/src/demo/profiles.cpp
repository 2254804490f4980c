// Demo data: setting profiles of the data exchange, one of them assigned to contractors.
#include <tuple>

#include "insert.h"
#include "parts.h"

namespace server::demo {

void add_profiles(Context& c) {
  Insert profil(c.db, "MAG_PROFILE_USTAWIEN", "ID_PROFILU, ID_FIRMY, NAZWA, KONTEKST", c.status);
  profil.row({I(1), I(1), T("Standard"), T("XML")});
  profil.row({I(2), I(1), T("Sieć handlowa Północ"), T("XML")});
  profil.row({I(3), I(2), T("Standard"), T("XML")});
  Insert wartosc(c.db, "MAG_PROFIL_USTAWIEN_POZYCJA", "ID_PROFILU, ID_POZYCJI, WARTOSC", c.status);
  for (const auto& [profile, position, value] : {std::tuple{1, 146, "2.1"},
                                                 {1, 147, "UTF-8"},
                                                 {1, 148, "Tak"},
                                                 {1, 149, "C:\\Wymiana"},
                                                 {2, 146, "3.0"},
                                                 {2, 147, "Windows-1250"},
                                                 {2, 148, "Nie"},
                                                 {2, 149, "\\\\serwer\\edi"}}) {
    wartosc.row({I(profile), I(position), T(value)});
  }
  Insert przypisanie(c.db, "MAG_PROFIL_USTAWIEN_KONTRAHENTA", "ID_PROFILU, ID_KONTRAHENTA", c.status);
  przypisanie.row({I(2), I(1)});
  przypisanie.row({I(2), I(2)});
}

}  // namespace server::demo
