// Running a described dictionary browse by the call protocol between windows.
#pragma once

#include <cstdint>

#include "dane/window.h"
#include "pattern/description.h"

namespace slownik {

struct BrowseOutcome {
  dane::Response response = dane::Response::Cancelled;
  std::int32_t result = 1;  // what a browse that answers a value gives besides the response
};

// Runs the browse with `request` (the globals cleared first), and leaves its response in GLOBALRESPONSE.
BrowseOutcome run_dictionary_browse(const Description& description, dane::Request request);
// The same with the request the caller left in GLOBALREQUEST: what the exported browse procedures do.
BrowseOutcome run_requested_browse(const Description& description);

}  // namespace slownik
