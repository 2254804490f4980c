// The session's lists that the windows read without a round trip, loaded once the user has logged in.
// The one place that keeps their order until the full start-up sequence takes it over.
#pragma once

namespace start {

// The user's permissions, browse column layouts and window settings, and the active VAT rates.
void load_session_lists();

}  // namespace start
