// A hash index over the loaded grant and catalogue lists, so that a check costs a few probes of flat
// tables instead of binary searches that compare texts.
//
// The index is built by the loader beside the lists it has just published, and remembers their
// generations: when either list has changed since (a caller filled or edited it directly), current() is
// false and checks search the lists themselves. Codes are interned: a check hashes its code once, and
// the grants are then found by integer keys. Answers are those of the lists' keyed lookups (codes
// compared byte for byte without trailing blanks, the first of equal keys in list order). Building
// allocates; lookups never do. Readers hold both lists' shared locks, the builder both exclusive ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dane/lists_access.h"

namespace keldox::access {

class GrantIndex {
 public:
  // What the index knows of one code.
  struct Code {
    const dane::UprawnEntry* catalogued = nullptr;  // nullptr when the catalogue does not hold it
    std::uint32_t number = 0;                       // the interned number of the code
  };

  void rebuild();
  bool current() const;

  // The code (upper case, no trailing blanks); nullptr when neither list holds it.
  const Code* code(std::string_view text) const;
  // The grant of the code for the objects (id2, id3, 0, 0), or nullptr.
  const dane::AccessEntry* grant(const Code& code, std::int32_t id2, std::int32_t id3) const;

 private:
  struct CodeSlot {
    std::uint64_t hash = 0;
    std::uint32_t code = 0;  // index into codes_ + 1; 0 marks an empty slot
  };
  struct GrantSlot {
    std::uint32_t code = 0;  // interned number + 1; 0 marks an empty slot
    std::int32_t id2 = 0;
    std::int32_t id3 = 0;
    std::uint32_t entry = 0;  // index into ACCESSQ's entries
  };

  std::uint32_t intern(std::string_view text);
  std::size_t code_probe(std::uint64_t hash, std::string_view text) const;

  std::vector<std::string> texts_;
  std::vector<Code> codes_;
  std::vector<CodeSlot> code_slots_;
  std::vector<GrantSlot> grant_slots_;
  std::uint64_t grants_generation_ = ~std::uint64_t{0};
  std::uint64_t catalogue_generation_ = ~std::uint64_t{0};
};

// The index of the session's lists.
GrantIndex& grant_index();

}  // namespace keldox::access
