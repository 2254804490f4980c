// Conversion of the system's file dialog filters to the form Qt's file dialogs take.
#pragma once

#include <string>
#include <string_view>

namespace ui_qt {

// "Pliki tekstowe|*.txt|Wszystkie pliki|*.*" becomes "Pliki tekstowe (*.txt);;Wszystkie pliki (*)".
// Patterns separated by ";" become a blank-separated list, "*.*" means every file (names without a dot too),
// a description without a pattern gets "*", empty parts are skipped. Empty input gives empty output.
std::string qt_file_filters(std::string_view system_filters);

}  // namespace ui_qt
