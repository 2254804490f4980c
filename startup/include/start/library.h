// START:INIT and START:KILL: the main program's single call that starts and ends every library of the
// application, in a fixed order.
#pragma once

#include "dane/library.h"

namespace start {

void INIT(dane::ErrorObject* error, dane::SettingsFile* settings);
void KILL();
const dane::LibraryEntry& library();

}  // namespace start
