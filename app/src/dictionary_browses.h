// The dictionaries the main menu opens: browses over their tables with insert, change and delete through
// their update forms, until the dictionary library's own windows land.
#pragma once

#include "app/menu.h"

namespace app {

AfterEntry browse_currencies();  // "Słowniki > Waluty" over WALUTY
AfterEntry browse_banks();       // "Słowniki > Banki" over BANKI

}  // namespace app
