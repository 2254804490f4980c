// The permission checks: keyed lookups in the grant and catalogue lists, level by level.
#include <mutex>
#include <shared_mutex>

#include "access/grant_lookup.h"
#include "access/permission_code.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"

namespace keldox {
namespace {

using dane::AccessEntry;
using dane::UprawnEntry;

constexpr std::uint8_t kFullAccess = 1;
constexpr std::uint8_t kLimitedAccess = 2;

}  // namespace

std::uint8_t POBIERZUPRAWNIENIE(std::string_view code, PermissionObject object1, PermissionObject object2,
                                PermissionObject, PermissionObject, PermissionObject) {
  if (access::is_administrator()) return kFullAccess;
  const access::PermissionCode key(code);
  std::shared_lock catalogue_lock(dane::UPRAWNQ.mutex());
  std::shared_lock grants_lock(dane::ACCESSQ.mutex());
  const UprawnEntry* catalogued = access::catalogue_entry(key.view());
  if (catalogued == nullptr) return 0;

  const access::CodeGrants grants(key.view());
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
  if (access::catalogue_entry(key.view()) == nullptr) return {};
  const AccessEntry* general = access::CodeGrants(key.view()).find(0, 0);
  if (general == nullptr || general->RODZAJ_DOSTEPU != kLimitedAccess) return {};
  return FlagText::padded(general->FLAGA_STANU.view());
}

bool DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code) {
  return POBIERZFLAGEUPRAWNIENIA(code).contains("W");
}

}  // namespace keldox
