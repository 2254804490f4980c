// Scalar server functions (`dbo.AP_Func_...`) registered on every connection of the embedded engine.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace server {

// Registers the scalar AP_Func_BezPolskichZnakow, AP_FUNC_PoleDodatkowe, AP_Func_PodajNip and
// RM_Func_URL_SledzeniePrzesylki and the table-valued AP_Func_PodajKursy_NBPECB and RM_Func_AdresPracownika
// on `db`.
void register_functions(sqlite3* db);

// Polish letters replaced by their base letters (ą→a, Ł→L ...), everything else unchanged.
std::string without_polish_letters(std::string_view text);

}  // namespace server
