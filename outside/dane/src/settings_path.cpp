// Where a user's settings file lives by default: the XDG configuration folder.
#include <pwd.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "dane/settings_file.h"
#include "runtime/text.h"

namespace dane {
namespace {

constexpr std::string_view product_folder = "mirlet";

std::string home_folder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return ".";
}

std::string join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

// Identifiers are whole numbers held in doubles; anything else is written as 0 rather than as a
// fraction or an exponent that would make a strange file name.
std::string id_text(double id) {
  if (!std::isfinite(id) || std::fabs(id) >= 9.0e15) return "0";
  return std::to_string(std::llround(id));
}

}  // namespace

std::string default_settings_folder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string base =
      xdg != nullptr && xdg[0] == '/' ? std::string(xdg) : join(home_folder(), ".config");
  return join(base, product_folder);
}

std::string settings_path(std::string_view folder, double user_id) {
  return join(runtime::trim_right(folder), "okna" + id_text(user_id) + ".ini");
}

std::string default_settings_path(double user_id) {
  return settings_path(default_settings_folder(), user_id);
}

}  // namespace dane
