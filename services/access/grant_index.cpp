// The flat hash index of the permission lists: interned codes, then grants by (code, object, object).
#include "access/grant_index.h"

#include <bit>

#include "access/grant_lookup.h"

namespace keldox::access {
namespace {

std::uint64_t hash_text(std::string_view text) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3ULL;
  }
  return h;
}

std::uint64_t mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

std::uint64_t hash_grant(std::uint32_t code, std::int32_t id2, std::int32_t id3) {
  return mix((std::uint64_t{code} << 32 ^ static_cast<std::uint32_t>(id2)) ^
             mix(static_cast<std::uint32_t>(id3)));
}

// Twice the entries, at least 16 slots, a power of two so that a probe wraps with a mask.
std::size_t table_size(std::size_t entries) {
  return std::bit_ceil(std::max<std::size_t>(16, entries * 2));
}

}  // namespace

std::size_t GrantIndex::code_probe(std::uint64_t hash, std::string_view text) const {
  const std::size_t mask = code_slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const CodeSlot& slot = code_slots_[i];
    if (slot.code == 0 || (slot.hash == hash && texts_[slot.code - 1] == text)) return i;
  }
}

std::uint32_t GrantIndex::intern(std::string_view text) {
  const std::uint64_t hash = hash_text(text);
  CodeSlot& slot = code_slots_[code_probe(hash, text)];
  if (slot.code == 0) {
    texts_.emplace_back(text);
    codes_.push_back(Code{nullptr, static_cast<std::uint32_t>(codes_.size())});
    slot = CodeSlot{hash, static_cast<std::uint32_t>(codes_.size())};
  }
  return slot.code - 1;
}

void GrantIndex::rebuild() {
  const auto grants = dane::ACCESSQ.entries();
  const auto catalogue = dane::UPRAWNQ.entries();
  texts_.clear();
  codes_.clear();
  texts_.reserve(catalogue.size() + 64);
  codes_.reserve(catalogue.size() + 64);
  code_slots_.assign(table_size(catalogue.size() + grants.size()), CodeSlot{});
  for (const dane::UprawnEntry& e : catalogue) {
    Code& code = codes_[intern(without_trailing_blanks(e.KOD.view()))];
    if (code.catalogued == nullptr) code.catalogued = &e;  // the first of equal codes, as a lookup finds it
  }
  grant_slots_.assign(table_size(grants.size()), GrantSlot{});
  const std::size_t mask = grant_slots_.size() - 1;
  for (std::size_t n = 0; n < grants.size(); ++n) {
    const dane::AccessEntry& e = grants[n];
    if (e.ID4 != 0 || e.ID5 != 0) continue;  // checks never ask for the third and fourth objects
    const std::uint32_t code = intern(without_trailing_blanks(e.KOD.view())) + 1;
    for (std::size_t i = hash_grant(code, e.ID2, e.ID3) & mask;; i = (i + 1) & mask) {
      GrantSlot& slot = grant_slots_[i];
      if (slot.code == 0) {
        slot = GrantSlot{code, e.ID2, e.ID3, static_cast<std::uint32_t>(n)};
        break;
      }
      if (slot.code == code && slot.id2 == e.ID2 && slot.id3 == e.ID3) break;  // keep the first
    }
  }
  grants_generation_ = dane::ACCESSQ.generation();
  catalogue_generation_ = dane::UPRAWNQ.generation();
}

bool GrantIndex::current() const {
  return grants_generation_ == dane::ACCESSQ.generation() &&
         catalogue_generation_ == dane::UPRAWNQ.generation();
}

const GrantIndex::Code* GrantIndex::code(std::string_view text) const {
  if (code_slots_.empty()) return nullptr;
  const CodeSlot& slot = code_slots_[code_probe(hash_text(text), text)];
  return slot.code == 0 ? nullptr : &codes_[slot.code - 1];
}

const dane::AccessEntry* GrantIndex::grant(const Code& code, std::int32_t id2, std::int32_t id3) const {
  if (grant_slots_.empty()) return nullptr;
  const std::uint32_t key = code.number + 1;
  const std::size_t mask = grant_slots_.size() - 1;
  for (std::size_t i = hash_grant(key, id2, id3) & mask;; i = (i + 1) & mask) {
    const GrantSlot& slot = grant_slots_[i];
    if (slot.code == 0) return nullptr;
    if (slot.code == key && slot.id2 == id2 && slot.id3 == id3) return &dane::ACCESSQ.entries()[slot.entry];
  }
}

GrantIndex& grant_index() {
  static GrantIndex index;
  return index;
}

}  // namespace keldox::access
