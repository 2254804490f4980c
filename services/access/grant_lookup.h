// Lookups in the sorted permission lists that search the code once, comparing it inline, and then the
// objects as integers among that code's grants only.
//
// The lists' own keyed find compares the code at every step of every search through an out-of-line text
// comparison; a check makes three or four such searches, which made it several times slower than a
// std::map lookup; these lookups cut that by more than half. They give the same answers (trailing blanks
// ignored, byte order, the first of equal keys) from the same entries. On a list that is not in key order
// they fall back to the list's find, which scans. Callers hold the list's shared lock. Nothing here
// allocates.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>

#include "dane/lists_access.h"

namespace keldox::access {

inline std::string_view without_trailing_blanks(std::string_view s) noexcept {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

// Order of a list's code against a code without trailing blanks.
inline int compare_code(std::string_view listed, std::string_view code) noexcept {
  return without_trailing_blanks(listed).compare(code);
}

// The catalogue entry of a code (upper case, no trailing blanks), or nullptr.
inline const dane::UprawnEntry* catalogue_entry(std::string_view code) {
  using Key = dane::UprawnEntry::ByCode;
  if (!dane::UPRAWNQ.ordered_by<Key>()) return dane::UPRAWNQ.find<Key>(code);
  const std::span<const dane::UprawnEntry> all = dane::UPRAWNQ.entries();
  const auto it = std::partition_point(all.begin(), all.end(), [&](const dane::UprawnEntry& e) {
    return compare_code(e.KOD.view(), code) < 0;
  });
  return it != all.end() && compare_code(it->KOD.view(), code) == 0 ? &*it : nullptr;
}

// The grants of one code in ACCESSQ.
class CodeGrants {
 public:
  using Key = dane::AccessEntry::ByCodeAndObjects;

  // `code` in upper case without trailing blanks; it must outlive this object.
  explicit CodeGrants(std::string_view code) : code_(code), sorted_(dane::ACCESSQ.ordered_by<Key>()) {
    if (!sorted_) return;
    const std::span<const dane::AccessEntry> all = dane::ACCESSQ.entries();
    const auto first = std::partition_point(all.begin(), all.end(), [&](const dane::AccessEntry& e) {
      return compare_code(e.KOD.view(), code_) < 0;
    });
    const std::size_t remaining = static_cast<std::size_t>(all.end() - first);
    const auto same_code = [&](const dane::AccessEntry& e) { return compare_code(e.KOD.view(), code_) == 0; };
    if (remaining == 0 || !same_code(*first)) return;
    // A code has few grants among many: gallop to the end of its run, then search the last stretch.
    std::size_t bound = 1;
    while (bound < remaining && same_code(first[static_cast<std::ptrdiff_t>(bound)])) bound *= 2;
    const auto last =
        std::partition_point(first + static_cast<std::ptrdiff_t>(bound / 2),
                             first + static_cast<std::ptrdiff_t>(std::min(bound, remaining)), same_code);
    slice_ = std::span<const dane::AccessEntry>(first, last);
  }

  // The grant of the code for the objects (id2, id3, 0, 0), or nullptr.
  const dane::AccessEntry* find(std::int32_t id2, std::int32_t id3) const {
    if (!sorted_) return dane::ACCESSQ.find<Key>(code_, id2, id3, 0, 0);
    const auto wanted = std::make_tuple(id2, id3, std::int32_t{0}, std::int32_t{0});
    const auto objects = [](const dane::AccessEntry& e) { return std::tie(e.ID2, e.ID3, e.ID4, e.ID5); };
    const auto it = std::partition_point(slice_.begin(), slice_.end(),
                                         [&](const dane::AccessEntry& e) { return objects(e) < wanted; });
    return it != slice_.end() && objects(*it) == wanted ? &*it : nullptr;
  }

 private:
  std::string_view code_;
  bool sorted_;
  std::span<const dane::AccessEntry> slice_;
};

}  // namespace keldox::access
