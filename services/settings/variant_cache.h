// The library's own copy of every report variant read in this session, so that a variant loaded again
// keeps the values edited since, without a database read.
#pragma once

#include <map>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "dane/lists_settings.h"

namespace keldox::settings_detail {

// Entries are kept per (report, variant) in the order read, which is their ordinal (1, 2, ...); names
// match as the list's key does, ignoring trailing blanks. Safe to use from any thread.
class VariantCache {
 public:
  // Appends the variant's entries in ordinal order to `list`; false (and nothing added) when the variant
  // was never read.
  bool copy_into(double report, double variant, dane::SessionList<dane::ParametrWariantuEntry>& list) const;
  // Keeps `entry` as the variant's next parameter.
  void add(double report, double variant, const dane::ParametrWariantuEntry& entry);
  // Sets the value of the variant's parameter `name`; false when it is not held.
  bool set_value(double report, double variant, std::string_view name, std::string_view value);
  void forget(double report, double variant);
  void clear();

 private:
  using Id = std::pair<double, double>;  // report, variant
  mutable std::mutex mutex_;
  std::map<Id, std::vector<dane::ParametrWariantuEntry>> variants_;
};

VariantCache& variant_cache();

// Identifiers of the current RAPORT and WARIANT records (0 when there is none).
double current_report();
double current_variant();

}  // namespace keldox::settings_detail
