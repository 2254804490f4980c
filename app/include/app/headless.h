// The headless run: the scripted host answers every box and window while the menu entries named on the
// command line run in order.
#pragma once

#include <ostream>

#include "ui_script/script_host.h"

namespace app {

// Writes every script failure to `errors` as it happens, naming the step and the box it met.
void report_script_failures(ui_script::ScriptHost& host, std::ostream& errors);

// At the end of the run: true when the script met no failure and every step was used; otherwise false,
// and a script with steps left over says so on `errors`.
bool script_succeeded(const ui_script::ScriptHost& host, std::ostream& errors);

}  // namespace app
