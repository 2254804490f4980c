// KELDOX:INIT and KELDOX:KILL: the run-time services library starts once per process and starts DANE.
#pragma once

#include "dane/library.h"

namespace keldox {

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings);
void KILL();
const dane::LibraryEntry& library();

}  // namespace keldox
