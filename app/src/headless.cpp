// Judging a headless run by its script.
#include "app/headless.h"

namespace app {

void report_script_failures(ui_script::ScriptHost& host, std::ostream& errors) {
  host.on_failure([&errors](const std::string& failure) { errors << "Skrypt: " << failure << std::endl; });
}

bool script_succeeded(const ui_script::ScriptHost& host, std::ostream& errors) {
  if (!host.finished()) errors << "Skrypt: zostały kroki bez użycia: " << host.remaining() << std::endl;
  return host.finished() && host.failures().empty();
}

}  // namespace app
