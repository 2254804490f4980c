// Report variants: named sets of a report's parameter values per user, loaded into PARAMETRYWARIANTUQ,
// read and changed there, and saved under a new or changed name.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

// Result of ZAPISZWARIANT when the variant was deleted.
inline constexpr double kVariantDeleted = 99999;

// Fills PARAMETRYWARIANTUQ with every parameter of report `report` and its value in variant `variant` for
// GLO.ID_UZYTKOWNIKA (empty when the variant holds none), in the order the database gives them. A variant
// already read in this session comes from the library's copy, edits made through ZAPISZWARTOSCPARAMETRU
// included, without a database read. When the query fails its error is shown and the list stays empty.
void INICJUJWARIANT(double variant, double report);

// Saves the values of PARAMETRYWARIANTUQ as variant `variant` of report `report` after settling its name.
// An empty new name is refused with a warning. A new name that differs from a non-empty old one asks
// whether to rename, create a new variant or delete the old one. A name taken by another variant of the
// report is refused with a warning. Answers the identifier of the saved variant, kVariantDeleted after a
// deletion, 0 when nothing was saved or a statement failed (its error is shown).
double ZAPISZWARIANT(double variant, double report, std::string_view old_name, std::string_view new_name);

// The value of parameter `name` of the current variant; empty when it has none.
std::string WARTOSCPARAMETRU(std::string_view name);
// Sets the value (cut to 199 characters) in PARAMETRYWARIANTUQ and in the library's copy of the variant
// that the current RAPORT and WARIANT records name. Nothing reaches the database.
void ZAPISZWARTOSCPARAMETRU(std::string_view value, std::string_view name);
// As ZAPISZWARTOSCPARAMETRU, then stores the value for GLO.ID_UZYTKOWNIKA in the database. A failed write,
// or a name the variant does not have, is reported with the warning "Błąd zapisu parametru raportu!";
// the value set in memory stays.
void ZAPISZWARTOSCPARAMETRUDOBAZY(std::string_view value, std::string_view name);

// Forgets every variant read in this session, so that the next INICJUJWARIANT reads the database (after a
// change of user or database).
void forget_loaded_variants();

}  // namespace keldox
