// The permission checks: keyed lookups in the grant and catalogue lists, level by level.
#include <mutex>
#include <shared_mutex>

#include <optional>

#include "access/grant_index.h"
#include "access/grant_lookup.h"
#include "access/permission_code.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"

namespace keldox {
namespace {

using dane::AccessEntry;
using dane::UprawnEntry;

using access::kFullAccess;
using access::kLimitedAccess;

// The catalogue entry and the grants of one code: through the index while it describes the lists,
// otherwise by searching the lists. Callers hold both lists' shared locks.
class GrantsOf {
 public:
  explicit GrantsOf(std::string_view code) {
    const access::GrantIndex& index = access::grant_index();
    if (index.current()) {
      index_ = &index;
      code_ = index.code(code);
      catalogued_ = code_ == nullptr ? nullptr : code_->catalogued;
    } else {
      catalogued_ = access::catalogue_entry(code);
      if (catalogued_ != nullptr) searched_.emplace(code);
    }
  }

  const UprawnEntry* catalogued() const { return catalogued_; }

  // The grant for (id2, id3, 0, 0); nullptr when there is none or the code is not catalogued.
  const AccessEntry* find(std::int32_t id2, std::int32_t id3) const {
    if (catalogued_ == nullptr) return nullptr;
    return index_ != nullptr ? index_->grant(*code_, id2, id3) : searched_->find(id2, id3);
  }

 private:
  const access::GrantIndex* index_ = nullptr;
  const access::GrantIndex::Code* code_ = nullptr;
  const UprawnEntry* catalogued_ = nullptr;
  std::optional<access::CodeGrants> searched_;
};

}  // namespace

std::uint8_t POBIERZUPRAWNIENIE(std::string_view code, PermissionObject object1, PermissionObject object2,
                                PermissionObject, PermissionObject, PermissionObject) {
  if (access::is_administrator()) return kFullAccess;
  const access::PermissionCode key(code);
  std::shared_lock catalogue_lock(dane::UPRAWNQ.mutex());
  std::shared_lock grants_lock(dane::ACCESSQ.mutex());
  const GrantsOf grants(key.view());
  const UprawnEntry* catalogued = grants.catalogued();
  if (catalogued == nullptr) return 0;

  const AccessEntry* general = grants.find(0, 0);
  if (general == nullptr) return 0;
  if (general->RODZAJ_DOSTEPU == kFullAccess) return kFullAccess;

  std::int32_t first = object1.value_or(0);
  // A per-warehouse code asked without a warehouse is asked for the one the user works in.
  if (!object1 && catalogued->RODZAJ.view().find('M') != std::string_view::npos) {
    first = access::current_warehouse();
  }
  const AccessEntry* narrowed = grants.find(first, 0);
  if (narrowed == nullptr) return 0;
  if (narrowed->RODZAJ_DOSTEPU == kFullAccess || !object2) return narrowed->RODZAJ_DOSTEPU;

  const AccessEntry* narrowest = grants.find(first, *object2);
  return narrowest == nullptr ? 0 : narrowest->RODZAJ_DOSTEPU;
}

FlagText POBIERZFLAGEUPRAWNIENIA(std::string_view code, PermissionObject, PermissionObject, PermissionObject,
                                 PermissionObject, PermissionObject) {
  if (access::is_administrator()) return {};
  const access::PermissionCode key(code);
  std::shared_lock catalogue_lock(dane::UPRAWNQ.mutex());
  std::shared_lock grants_lock(dane::ACCESSQ.mutex());
  const AccessEntry* general = GrantsOf(key.view()).find(0, 0);
  if (general == nullptr || general->RODZAJ_DOSTEPU != kLimitedAccess) return {};
  return FlagText::padded(general->FLAGA_STANU.view());
}

bool DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code) {
  return POBIERZFLAGEUPRAWNIENIA(code).contains("W");
}

}  // namespace keldox
