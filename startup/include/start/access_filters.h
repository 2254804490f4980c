// The access conditions of the document lists: the user's grants in the company and warehouse turned
// once per session into T-SQL conditions over the list's main table (alias a), one per area, kept in
// dane::FILTRYDOSTEPU. Empty means no restriction, "1=0" no access.
#pragma once

namespace start {

// Clears FILTRYDOSTEPU and fills it from the permission lists and the company's warehouses, document
// types, cash desks and accounts. A query the database refuses ends the session: the driver's message
// is shown, GLO.WYJDZ_Z_HALTEM becomes 1 and every area is closed ("1=0"). A condition longer than its
// field closes its area as well, since a cut one would be broken or, cut inside a number, wrong.
void USTAWFILTRYDOSTEPU();

}  // namespace start
