// The library entries of KELDOX.
#include "keldox/library.h"

#include "keldox/statement_window.h"

namespace keldox {
namespace {
dane::LibraryEntry& entry() {
  static dane::LibraryEntry e("KELDOX", {dane::INIT}, {dane::KILL});
  return e;
}
}  // namespace

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings) {
  entry().init(error, settings);
  statement_window_detail::create_results();
}
void KILL() {
  entry().kill();
  statement_window_detail::dispose_results();
}
const dane::LibraryEntry& library() {
  return entry();
}

}  // namespace keldox
