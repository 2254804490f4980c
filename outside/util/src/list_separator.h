// The system's list separator as the user's locale implies it.
#pragma once

#include <string>

namespace zorva_util {

// ";" where the locale's numbers use a decimal comma (a comma could not separate such numbers), ","
// otherwise. The locale is the one the environment names for LC_NUMERIC (LC_ALL, LC_NUMERIC, LANG), read
// without touching the process's own locale; the process's locale stands in when the environment names
// none that is installed.
std::string system_list_separator();

}  // namespace zorva_util
