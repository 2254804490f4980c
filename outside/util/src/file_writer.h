// Writing a caller's text to a file in one piece.
#pragma once

#include <string>
#include <string_view>

namespace zorva_util {

// Writes `text` as the whole content of the file at `path` (created or replaced). The content goes to a
// temporary file beside it first and replaces the target only when completely written, so a failure never
// leaves a half-written file. Answers "1", or "-1" followed by the reason.
std::string write_text_file(const std::string& path, std::string_view text);

}  // namespace zorva_util
