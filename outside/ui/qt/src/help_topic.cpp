// The HTML file that stands for a topic of the system's help file.
#include "ui_qt/help_topic.h"

#include <filesystem>

namespace ui_qt {

std::string help_topic_path(std::string_view help_file, std::string_view topic) {
  namespace fs = std::filesystem;
  const fs::path file{std::string(help_file)};
  std::error_code ec;
  fs::path folder = fs::is_directory(file, ec) ? file : file.parent_path() / file.stem();
  return (folder / (topic.empty() ? std::string("index.htm") : std::string(topic))).string();
}

}  // namespace ui_qt
