// Fuzzes the settings-file reader and writer: arbitrary bytes as an INI file, then one key written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include <unistd.h>

#include "dane/settings_file.h"
#include "ini_text.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// The first bytes choose the names of the key that is written back, the rest is the file.
struct Input {
  std::string section;
  std::string key;
  std::string value;
  std::string_view file;
};

std::string_view take_field(std::string_view& bytes) {
  const auto end = bytes.find('\x01');
  const std::string_view field = bytes.substr(0, end);
  bytes.remove_prefix(end == bytes.npos ? bytes.size() : end + 1);
  return field;
}

Input split(std::string_view bytes) {
  Input in;
  in.section = take_field(bytes);
  in.key = take_field(bytes);
  in.value = take_field(bytes);
  in.file = bytes;
  return in;
}

// Editing the parsed text changes exactly the one entry and leaves every other reading as it was.
void check_line_model(const Input& in) {
  using dane::ini::IniText;
  const IniText before = IniText::parse(in.file);
  IniText after = before;
  const bool written = after.set(in.section, in.key, in.value);
  const IniText reread = IniText::parse(after.render());
  check(reread.render() == after.render());
  if (written) {
    check(reread.find(in.section, in.key) == dane::ini::trim_blanks(in.value));
  } else {
    check(after.render() == before.render());
  }
  for (const auto& e : before.entries()) {
    const bool is_written_entry =
        written &&
        IniText::parse("[" + e.section + "]\n" + e.key + "=\n").find(in.section, in.key).has_value();
    if (!is_written_entry) check(reread.find(e.section, e.key) == before.find(e.section, e.key));
  }
}

// The same through the file: the object reads the bytes from disk and replaces the file.
void check_file(const Input& in) {
  // One folder per fuzzing process, removed when the process exits.
  struct Folder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ini_fuzz_" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const Folder folder;
  static const std::string path = (folder.path / "okna1.ini").string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(in.file.data(), static_cast<std::streamsize>(in.file.size()));
  }
  dane::SettingsFile settings(path);
  settings.fetch_window(in.section);
  if (settings.set_value(in.section, in.key, in.value)) {
    check(settings.get_value(in.section, in.key) == dane::ini::trim_blanks(in.value));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input in = split(std::string_view(reinterpret_cast<const char*>(data), size));
  check_line_model(in);
  // Each write to disk is flushed, which is slow; a fixed share of inputs, chosen by their content so that
  // a crash reproduces, goes through the file.
  if (std::hash<std::string_view>{}(in.file) % 16 == 0) check_file(in);
  return 0;
}
