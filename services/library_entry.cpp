// The library entries of KELDOX.
#include "keldox/library.h"

namespace keldox {
namespace {
dane::LibraryEntry& entry() {
  static dane::LibraryEntry e("KELDOX", {dane::INIT}, {dane::KILL});
  return e;
}
}  // namespace

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings) {
  entry().init(error, settings);
}
void KILL() {
  entry().kill();
}
const dane::LibraryEntry& library() {
  return entry();
}

}  // namespace keldox
