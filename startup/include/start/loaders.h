// The loaders of the session start: configuration parameters, additional operations, additional-field
// definitions, warehouses and the company-wide globals. Each reads GLO.ID_UZYTKOWNIKA and GLO.ID_FIRMY.
//
// A query that fails or answers nothing leaves its list empty and its globals at their defaults without a
// message; only the operations' row-by-row read shows the driver's text. The lists read by other threads
// afterwards are replaced whole under their lock.
#pragma once

#include <string>

#include "runtime/date.h"

namespace start {

// How a loader that can use the utility module's query bridge reads its rows: through the bridge with
// the row-by-row read as fallback (the session's way), or row by row only (to compare the two).
enum class Route { bridge_first, row_by_row };

// U_PARAMKONFQ and S_PARAMKONFQ by code, the user's special positions (cash desk, warehouse, period,
// list and tooltip settings), the session period and its working copy, GLO.BRUTTO_NETTO, the column
// settings, the warehouse's account and synchronisation mark; GLO.ID_FIRMY becomes 0 when nobody holds
// "SYS" in the company or the user has no group in it.
void LADUJPARAMETRYKONF(Route route = Route::bridge_first);
// The part of LADUJPARAMETRYKONF that reads the two lists: U_PARAMKONFQ with the user's special
// positions and the session period, then S_PARAMKONFQ.
void load_parameter_lists(Route route);
// OPERACJE_DODATKOWE: the operations of this product in the dedicated variant or in the common one
// ("000"), only those granted to one of the user's groups in the company when a user is logged in.
void LADUJOPERACJE_DODATKOWE(Route route = Route::bridge_first);
// GLO.KOL_KLASYFIKATOROW by group code and field number.
void LADUJKLASYFIKATORY(Route route = Route::bridge_first);
// KOL_MAGAZYNOW: the company's warehouses by id, each marked when linked to an external sales system.
void LADUJMAGAZYNY();
// GLO.TABLICAMIESIECY, GLO.MP and GLO.METODA_KASOWA.
void LADUJZMIENNEGLOBALNE();

// The session period from the range name in GLO.ZAKRES as of `today`: GLO.ZAKRESPOS, the dates the
// range fixes, GLO.ZAKRESOPIS and the _LOC twins. An unknown name becomes "dowolny zakres".
void set_session_period(runtime::DayNumber today);

// The statements the loaders compose from the session globals: through the bridge, and row by row.
std::string user_parameters_statement();
std::string user_parameters_fallback_statement();
std::string company_parameters_statement();
std::string company_parameters_fallback_statement();
std::string operations_statement();
std::string operations_fallback_statement();
std::string classifiers_statement();
std::string warehouses_statement();

}  // namespace start
