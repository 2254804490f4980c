// The register of open module windows, the list of open windows kept as pairs of texts, the named
// per-user window settings and the saving of the user's preferences.
//
// Module windows run on threads of their own, so every operation here holds the mutex of the list it
// touches for the whole of its lookup and change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// OKNAQ, by window name (trailing blanks cut, upper case, at most 20 characters).
// Registers the window with the thread number that stands in OKNAQ.buffer.WATEK; false, and nothing
// added, when a window of that name is registered already.
bool DODAJOKNO(std::string_view name);
// The same with the thread given, so that a window need not write the shared buffer itself.
bool DODAJOKNO(std::string_view name, std::int32_t thread);
// Removes the window: "ADMCTRL" also clears GLO.MODULKONTROLIAKTYWNY, and the assistant stops following
// the window's thread. GLO.BRWOPENING is cleared in every case, registered or not.
void SKASUJOKNO(std::string_view name);
// The registered window's thread number, 0 when none.
std::int32_t WEZOKNO(std::string_view name);

// GLO.KOLEJKAOTWARTYCHOKIEN: `second` is the long text (254 characters), `first` the short one (99).
void ADDKOO(std::string_view first, std::string_view second);  // only when the pair is absent
void DELKOO(std::string_view first, std::string_view second);  // only when it is present
bool ISKOO(std::string_view first, std::string_view second);
void FREEKOO();

// INI_PAR_OKNO (loaded by LADUJUSTAWIENIAKOLUMN): the value of a window's setting, empty when there is
// none; storing changes an existing entry only and answers false, changing nothing, for an absent pair.
std::string POBIERZPARAMETROKNA(std::string_view setting, std::string_view window);
bool ZAPISZPARAMETROKNA(std::string_view value, std::string_view setting, std::string_view window);

// Writes the user's preferences to the database with the busy cursor shown: the date range (user
// parameters "ZakrWys", "Data_Od", "Data_Do"), every column of INI_KOL_BRO and every setting of
// INI_PAR_OKNO. Only rows that exist are updated; nothing is created.
void ZAPISZPREFERENCJEUZYTKOWNIKA(double user);

}  // namespace keldox
