// The dictionaries the main menu opens: read-only browses over their tables until their own windows land.
#pragma once

#include "app/menu.h"

namespace app {

AfterEntry browse_currencies();  // "Słowniki > Waluty" over WALUTY
AfterEntry browse_banks();       // "Słowniki > Banki" over BANKI

}  // namespace app
