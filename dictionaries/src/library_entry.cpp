// The library entries of slownik.
#include "slownik/library.h"

#include "keldox/classifiers.h"
#include "keldox/library.h"
#include "modules/entries.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {
dane::LibraryEntry& entry() {
  static dane::LibraryEntry e("SLOWNIK",
                              {dane::INIT, keldox::INIT, modules::torven::INIT, modules::sylvanek::INIT},
                              {dane::KILL, keldox::KILL, modules::torven::KILL, modules::sylvanek::KILL});
  return e;
}
}  // namespace

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings) {
  entry().init(error, settings);
  // The classifier window of keldox cannot depend on this library; it reaches the value picker here.
  keldox::set_classifier_value_picker(pick_classifier_value);
}
void KILL() {
  entry().kill();
}
const dane::LibraryEntry& library() {
  return entry();
}

}  // namespace slownik
