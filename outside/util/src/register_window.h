// The register's search window: the user types a NIP, REGON or KRS number, sees the firms the register
// finds and picks one, whose data becomes the record XML (register_record.h). Shown through the window
// host of the process that loaded the module.
#pragma once

#include <string>

namespace zorva_util {

// Runs the window to its end; the picked firm's record XML, or the empty text when the user gave up.
std::string search_register_window();

}  // namespace zorva_util
