// The lines of an INI file: lookups and edits of entries, every other line kept exactly as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dane::ini {

// Blanks that surround names and values and never count (space, tab, CR, VT, FF).
std::string_view trim_blanks(std::string_view s);

// Whether a (trimmed) name can be written and read back unchanged. A section name is any non-empty
// text without line breaks or NUL; a key must also not contain '=' nor start with '[', ';' or '#'.
bool valid_section(std::string_view section);
bool valid_key(std::string_view key);
// A value is any text without line breaks or NUL; its outer blanks are not kept.
bool valid_value(std::string_view value);

// An INI text as lines. Sections and keys are matched ignoring case (Polish letters included) and outer
// blanks; the first entry of a key wins, as does the first section of a name when a name repeats.
// Entries before the first section or under a header without a name ("[]"), lines without '=', comments
// (';' or '#'), a '[' line without ']' and lines holding NUL are kept on rendering but never read.
class IniText {
 public:
  // Never fails: what cannot be understood is kept as an unread line. A leading UTF-8 BOM is kept and
  // skipped; CRs at the end of a line are dropped (CRLF line ends read as LF).
  static IniText parse(std::string_view bytes);

  // The text with LF line ends and a final line end.
  std::string render() const;

  std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

  // Sets the first entry of the key, or adds one at the end of the section's first block, or adds the
  // section at the end. The names must be valid (see above); returns false and changes nothing otherwise.
  bool set(std::string_view section, std::string_view key, std::string_view value);

  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  // Every readable entry in file order, including those hidden by an earlier entry of the same key.
  std::vector<Entry> entries() const;

 private:
  enum class Kind { other, section, entry };
  struct Line {
    Kind kind = Kind::other;
    std::string text;     // the line as written, without its line end
    std::string name;     // section name or key, as written
    std::string value;    // entry value
    std::string folded;   // name folded for comparison
    std::string section;  // entries: the name of their section as written, empty before any section
    std::string folded_section;
  };

  std::optional<std::size_t> find_entry(std::string_view folded_section, std::string_view folded_key) const;

  std::vector<Line> lines_;
};

}  // namespace dane::ini
