// SLOWNIK:INIT and SLOWNIK:KILL: the dictionaries library starts once per process and starts DANE, KELDOX,
// TORVEN and the SYLVANEK run-time.
#pragma once

#include "dane/library.h"

namespace slownik {

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings);
void KILL();
const dane::LibraryEntry& library();

}  // namespace slownik
