// The copy of the report variants read in this session, and the current report and variant records.
#include "settings/variant_cache.h"

#include <algorithm>

#include "dane/table.h"
#include "runtime/text.h"

namespace keldox::settings_detail {

bool VariantCache::copy_into(double report, double variant,
                             dane::SessionList<dane::ParametrWariantuEntry>& list) const {
  std::lock_guard lock(mutex_);
  const auto it = variants_.find({report, variant});
  if (it == variants_.end()) return false;
  for (const dane::ParametrWariantuEntry& entry : it->second) {
    list.buffer = entry;
    list.add();
  }
  return true;
}

void VariantCache::add(double report, double variant, const dane::ParametrWariantuEntry& entry) {
  std::lock_guard lock(mutex_);
  variants_[{report, variant}].push_back(entry);
}

bool VariantCache::set_value(double report, double variant, std::string_view name, std::string_view value) {
  std::lock_guard lock(mutex_);
  const auto it = variants_.find({report, variant});
  if (it == variants_.end()) return false;
  const auto entry = std::find_if(it->second.begin(), it->second.end(),
                                  [&](const auto& e) { return runtime::same_text(e.NAZWA.view(), name); });
  if (entry == it->second.end()) return false;
  entry->WARTOSC = value;
  return true;
}

void VariantCache::forget(double report, double variant) {
  std::lock_guard lock(mutex_);
  variants_.erase({report, variant});
}

void VariantCache::clear() {
  std::lock_guard lock(mutex_);
  variants_.clear();
}

VariantCache& variant_cache() {
  static VariantCache cache;
  return cache;
}

double current_report() {
  dane::Table* raport = dane::find_table("RAP");
  return raport ? raport->number("ID_RAPORTU") : 0;
}

double current_variant() {
  dane::Table* wariant = dane::find_table("WAR");
  return wariant ? wariant->number("ID_WARIANTU") : 0;
}

}  // namespace keldox::settings_detail
