// The settings-file object: every read loads the file afresh, every write is a locked read-modify-replace.
#include "dane/settings_file.h"

#include <charconv>
#include <functional>
#include <utility>

#include "file_io.h"
#include "ini_text.h"

namespace dane {
namespace {

constexpr std::string_view key_x = "X";
constexpr std::string_view key_y = "Y";
constexpr std::string_view key_width = "Width";
constexpr std::string_view key_height = "Height";

ini::IniText load(const std::string& path) {
  if (path.empty()) return {};
  const file_io::ReadResult read = file_io::read_file(path);
  return ini::IniText::parse(read.status == file_io::ReadStatus::ok ? read.bytes : std::string());
}

// Runs `edit` on the file's current content under the writers' lock and replaces the file when the
// content changed. Fails without touching the file when the edit fails or the file cannot be read.
bool edit_file(const std::string& path, const std::function<bool(ini::IniText&)>& edit) {
  if (path.empty() || !file_io::ensure_parent_folder(path)) return false;
  const file_io::FileLock lock(path + ".lock");
  if (!lock.locked()) return false;
  const file_io::ReadResult read = file_io::read_file(path);
  if (read.status == file_io::ReadStatus::failed) return false;
  ini::IniText ini = ini::IniText::parse(read.bytes);
  if (!edit(ini)) return false;
  const std::string text = ini.render();
  if (read.status == file_io::ReadStatus::ok && text == read.bytes) return true;
  return file_io::replace_file(path, text);
}

std::optional<int> parse_int(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

template <typename F>
auto no_throw(F&& f, decltype(f()) on_failure) noexcept -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    return on_failure;
  }
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

void SettingsFile::set_path(std::string path) {
  const std::lock_guard guard(mutex_);
  path_ = std::move(path);
}

std::string SettingsFile::path() const {
  const std::lock_guard guard(mutex_);
  return path_;
}

std::optional<std::string> SettingsFile::find_value(std::string_view section, std::string_view key) const {
  return no_throw(
      [&]() -> std::optional<std::string> {
        const ini::IniText ini = load(path());
        const auto value = ini.find(section, key);
        if (!value) return std::nullopt;
        return std::string(*value);
      },
      std::nullopt);
}

std::string SettingsFile::get_value(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
  return no_throw([&] { return find_value(section, key).value_or(std::string(default_value)); },
                  std::string());
}

bool SettingsFile::set_value(std::string_view section, std::string_view key, std::string_view value) {
  return no_throw(
      [&] { return edit_file(path(), [&](ini::IniText& ini) { return ini.set(section, key, value); }); },
      false);
}

std::optional<WindowGeometry> SettingsFile::fetch_window(std::string_view name) const {
  return no_throw(
      [&]() -> std::optional<WindowGeometry> {
        const ini::IniText ini = load(path());
        const auto read = [&](std::string_view key) -> std::optional<int> {
          const auto text = ini.find(name, key);
          return text ? parse_int(*text) : std::nullopt;
        };
        const auto x = read(key_x), y = read(key_y), width = read(key_width), height = read(key_height);
        if (!x || !y || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
        return WindowGeometry{*x, *y, *width, *height};
      },
      std::nullopt);
}

bool SettingsFile::update_window(std::string_view name, const WindowGeometry& geometry) {
  if (geometry.width <= 0 || geometry.height <= 0) return false;
  return no_throw(
      [&] {
        return edit_file(path(), [&](ini::IniText& ini) {
          return ini.set(name, key_x, std::to_string(geometry.x)) &&
                 ini.set(name, key_y, std::to_string(geometry.y)) &&
                 ini.set(name, key_width, std::to_string(geometry.width)) &&
                 ini.set(name, key_height, std::to_string(geometry.height));
        });
      },
      false);
}

}  // namespace dane
