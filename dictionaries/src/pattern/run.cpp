// The call protocol of the dictionary browses.
#include "pattern/run.h"

#include "dane/globals.h"
#include "pattern/dictionary_browse.h"

namespace slownik {

BrowseOutcome run_dictionary_browse(const Description& description, dane::Request request) {
  DictionaryBrowse browse(description);
  browse.set_request(request);
  dane::GLOBALREQUEST = 0;
  dane::GLOBALRESPONSE = 0;
  BrowseOutcome out;
  out.response = dane::run_window(browse);
  out.result = browse.result();
  dane::GLOBALRESPONSE = static_cast<std::uint8_t>(out.response);
  return out;
}

BrowseOutcome run_requested_browse(const Description& description) {
  return run_dictionary_browse(description, static_cast<dane::Request>(dane::GLOBALREQUEST.load()));
}

}  // namespace slownik
