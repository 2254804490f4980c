// Files of the settings tests: a fresh folder for each test, and bytes written, read and counted in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "mirlet_testing/temp_folder.h"

namespace dane::testing {

// The settings tests' folder: the shared one of the test support.
using TestFolder = mirlet_testing::TempFolder;

inline void write_bytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names in the folder other than the settings file and its lock file (left-over temporary files).
inline int stray_files(const std::filesystem::path& folder, std::string_view settings_name) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != settings_name && name != std::string(settings_name) + ".lock") ++count;
  }
  return count;
}

}  // namespace dane::testing
