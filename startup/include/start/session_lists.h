// The session's lists that the windows read without a round trip, loaded once the user has logged in.
// The one place that keeps their order until the full start-up sequence takes it over.
#pragma once

namespace start {

// Runs the loaders in the order of the session start: the user's stored company, parameters, additional
// operations, permissions, numbering formats, additional fields, warehouses, VAT rates, access filters
// and the company globals. False, with GLO.WYJDZ_Z_HALTEM = 1, when the session may not go on: the user
// chose to end it over unreadable VAT rates, or the database refused a query of the access filters.
bool load_session_lists();

}  // namespace start
