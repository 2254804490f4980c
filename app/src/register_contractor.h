// A new contractor from the business register, from the Tools menu until the contractor form comes.
#pragma once

#include "app/menu.h"

namespace app {

AfterEntry contractor_from_register();

}  // namespace app
