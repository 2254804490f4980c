// Files kept in the database and file names made from texts.
//
// Error codes of the transfers: 0 success, 36 a blank file name (and an empty source file), 1 the photo
// size limit refused the file; a failed file operation gives 2 (no such file), 3 (no such folder), 4 (too
// many open files), 5 (access denied: rights, a read-only file system, a name the file system refuses) or
// 90 (any other failure of the file system, a full disk among them), its text reported to the session's
// error object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dane/table.h"

namespace keldox {

// A text that can serve as a file name: trimmed, "|", "/", "\", ">" and "<" become "_", the characters
// "`", "\"", ".", "~", "+", "-", ",", ";", ":", "[" and "]" are dropped, at most 999 characters.
std::string WALIDUJNAZWEPLIKU(std::string_view text);

// Reads the file into the BLOB field of the record buffer in blocks of 32,768 bytes. Unless
// `ignore_limit` is 1 the file must fit the firm's "MaxRozZdjecArt" (kB of 1000 bytes); a larger one is
// refused with a warning and 1. An empty file leaves the BLOB untouched (36). A field that is not a BLOB
// of the table is refused as a file layer failure (90). The caller saves the record.
std::uint16_t PLIKTOBLOB(std::string_view file_name, dane::Table& record, std::string_view field,
                         std::uint8_t ignore_limit = 0);

// Writes the BLOB field of the record buffer into the file (replacing it), through a file beside it that
// is renamed at the end, so that a failed write never leaves a cut file under the name. An empty BLOB
// writes no file and answers 0.
std::uint16_t BLOBTOPLIK(dane::Table& record, std::string_view field, std::string_view file_name);

// Writes a text into a file through the utility module's "ZapiszDaneDoPliku". The text is the file's path,
// "|" and the content (the path is the whole text when there is no "|", and the file is then empty). A
// module that cannot be loaded or lacks the entry point is told in a warning, and so is a write the module
// reports as failed. Answers 0.
std::uint16_t UTWORZPLIK(std::string_view text);

// Keeps a printed report in a BLOB: the report's file (as the print preview or a printer to file left it)
// is read into the field without the photo limit, and the file is removed once it is in the buffer.
// Answers as PLIKTOBLOB.
std::uint16_t RPTTOBLOB(std::string_view report_file, dane::Table& record, std::string_view field);

}  // namespace keldox
