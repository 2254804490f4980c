// The program's own icon set: the resource names that menu and button texts carry ("~dodaj2.ico") drawn as
// vector shapes, so that no icon files or image plugins are needed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class QIcon;

namespace ui_qt {

// "~dodaj2.ico", "dodaj2.ico" and "DODAJ2" all name the icon "dodaj2": the leading "~", the extension and
// the case do not count.
std::string icon_key(std::string_view resource_name);

// The icon of a resource name; a null icon for a name the set does not hold (the item shows its label only).
QIcon program_icon(std::string_view resource_name);

// The names the set holds, as keys.
std::vector<std::string> icon_keys();

}  // namespace ui_qt
