// The user's settings file (GLO.PATH_INI): window positions and sizes and values under sections and keys.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace dane {

// A window's position and size in the units of the window host.
struct WindowGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// An INI file on disk, read and written on every call (nothing is cached, so other processes' writes are
// seen at once).
//
// Contract:
// - Sections and keys match ignoring case (Polish letters included) and outer blanks; values are UTF-8 text
//   kept byte for byte apart from their outer blanks. A key that appears twice reads as its first entry.
// - A missing, unreadable or damaged file reads as far as it can be understood, and as empty at worst; a
//   read never fails.
// - A write changes only its own entries and keeps every other line of the file as it was. It replaces the
//   file through a temporary file in the same folder (flushed to disk, then renamed), so the file is always
//   either the old or the new one. Writers in any number of processes and threads are serialised by an
//   exclusive lock on the sibling file `<path>.lock`, and each re-reads the file under that lock, so no
//   writer loses another's keys. Missing folders above the file are created.
// - A write returns false, leaving the file as it was, when a name is empty or cannot be written (line
//   breaks or NUL anywhere, '=' in a key, a key starting with '[', ';' or '#'), when the value holds a line
//   break or NUL, or when the file exists but cannot be read (a write never overwrites what it could not
//   read) or cannot be replaced.
// - Every member may be called from any thread; no exception leaves it.
class SettingsFile {
 public:
  SettingsFile() = default;
  explicit SettingsFile(std::string path);

  // Re-initialises the object on another file (the session does so once the user is known).
  void set_path(std::string path);
  std::string path() const;

  // The value under section and key, or `default_value` when there is none.
  std::string get_value(std::string_view section, std::string_view key,
                        std::string_view default_value = {}) const;
  std::optional<std::string> find_value(std::string_view section, std::string_view key) const;
  bool set_value(std::string_view section, std::string_view key, std::string_view value);

  // A window's position and size, kept under the section named after the window (its procedure name) with
  // the keys "X", "Y", "Width" and "Height". Fetching yields nothing unless all four are whole numbers and
  // the width and height are positive, so that a damaged entry leaves the window at its own default.
  std::optional<WindowGeometry> fetch_window(std::string_view name) const;
  // Stores all four values in one write; false for a width or height that is not positive.
  bool update_window(std::string_view name, const WindowGeometry& geometry);

 private:
  mutable std::mutex mutex_;
  std::string path_;
};

// The folder that holds the users' settings files: $XDG_CONFIG_HOME/mirlet when XDG_CONFIG_HOME is an
// absolute path, otherwise ~/.config/mirlet (the home folder from $HOME, else from the user database).
std::string default_settings_folder();

// The settings file of a user in a folder: folder (trailing blanks removed) + "/okna" + user id + ".ini".
// The id is written as a whole number, as identifiers are ("okna3000001.ini").
std::string settings_path(std::string_view folder, double user_id);

// settings_path(default_settings_folder(), user_id).
std::string default_settings_path(double user_id);

}  // namespace dane
