// The library entries of start: every library of the application, in the order they rest on each other.
#include "start/library.h"

#include "keldox/library.h"
#include "modules/entries.h"
#include "slownik/library.h"

namespace start {
namespace {
dane::LibraryEntry& entry() {
  using namespace modules;
  static dane::LibraryEntry e(
      "START",
      {dane::INIT, keldox::INIT, dokument::INIT, veltaris::INIT, admin::INIT, slownik::INIT, kontrahent::INIT,
       produkcja::INIT, sad::INIT, remanent::INIT, torven::INIT, crm::INIT},
      {dane::KILL, keldox::KILL, dokument::KILL, veltaris::KILL, admin::KILL, slownik::KILL, kontrahent::KILL,
       produkcja::KILL, sad::KILL, remanent::KILL, torven::KILL, crm::KILL});
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

}  // namespace start
