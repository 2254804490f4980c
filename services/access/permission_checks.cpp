// The permission checks: keyed lookups in the grant and catalogue lists, level by level.
#include <mutex>
#include <shared_mutex>

#include "access/permission_code.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"

namespace keldox {
namespace {

using dane::AccessEntry;
using dane::UprawnEntry;

constexpr std::uint8_t kFullAccess = 1;
constexpr std::uint8_t kLimitedAccess = 2;

const AccessEntry* grant(std::string_view code, std::int32_t object1, std::int32_t object2) {
  return dane::ACCESSQ.find<AccessEntry::ByCodeAndObjects>(code, object1, object2, 0, 0);
}

}  // namespace

std::uint8_t POBIERZUPRAWNIENIE(std::string_view code, PermissionObject object1, PermissionObject object2,
                                PermissionObject, PermissionObject, PermissionObject) {
  if (access::is_administrator()) return kFullAccess;
  const access::PermissionCode key(code);
  std::shared_lock catalogue_lock(dane::UPRAWNQ.mutex());
  std::shared_lock grants_lock(dane::ACCESSQ.mutex());
  const UprawnEntry* catalogued = dane::UPRAWNQ.find<UprawnEntry::ByCode>(key.view());
  if (catalogued == nullptr) return 0;

  const AccessEntry* general = grant(key.view(), 0, 0);
  if (general == nullptr) return 0;
  if (general->RODZAJ_DOSTEPU == kFullAccess) return kFullAccess;

  std::int32_t first = object1.value_or(0);
  // A per-warehouse code asked without a warehouse is asked for the one the user works in.
  if (!object1 && catalogued->RODZAJ.view().find('M') != std::string_view::npos) {
    first = access::current_warehouse();
  }
  const AccessEntry* narrowed = grant(key.view(), first, 0);
  if (narrowed == nullptr) return 0;
  if (narrowed->RODZAJ_DOSTEPU == kFullAccess || !object2) return narrowed->RODZAJ_DOSTEPU;

  const AccessEntry* narrowest = grant(key.view(), first, *object2);
  return narrowest == nullptr ? 0 : narrowest->RODZAJ_DOSTEPU;
}

FlagText POBIERZFLAGEUPRAWNIENIA(std::string_view code, PermissionObject, PermissionObject, PermissionObject,
                                 PermissionObject, PermissionObject) {
  if (access::is_administrator()) return {};
  const access::PermissionCode key(code);
  std::shared_lock catalogue_lock(dane::UPRAWNQ.mutex());
  std::shared_lock grants_lock(dane::ACCESSQ.mutex());
  if (dane::UPRAWNQ.find<UprawnEntry::ByCode>(key.view()) == nullptr) return {};
  const AccessEntry* general = grant(key.view(), 0, 0);
  if (general == nullptr || general->RODZAJ_DOSTEPU != kLimitedAccess) return {};
  return FlagText::padded(general->FLAGA_STANU.view());
}

bool DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code) {
  return POBIERZFLAGEUPRAWNIENIA(code).contains("W");
}

}  // namespace keldox
