// Where a help topic lives on disk: the compiled help file of the system is shipped as a folder of HTML
// topics that the desktop browser opens.
#pragma once

#include <string>
#include <string_view>

namespace ui_qt {

// The HTML file of `topic` in the help `help_file` ("/opt/mirlet/qorvis7.chm", "kar_fin_walut.htm"):
// `help_file` itself when it is a folder, otherwise the folder beside it named without the extension
// ("/opt/mirlet/qorvis7/kar_fin_walut.htm"). An empty topic opens "index.htm". The names are kept as given.
std::string help_topic_path(std::string_view help_file, std::string_view topic);

}  // namespace ui_qt
