// The session's lists that the windows read without a round trip, loaded once the user has logged in.
// The one place that keeps their order until the full start-up sequence takes it over.
#pragma once

namespace start {

// Runs the loaders in the order of the session start: the user's company, parameters, additional
// operations, permissions (a company where the user holds no "SYS" at all ends the session with a
// warning), numbering formats, additional fields, warehouses, VAT rates, access filters and the company
// globals. False, with GLO.WYJDZ_Z_HALTEM = 1, when the session may not go on.
bool load_session_lists();

}  // namespace start
