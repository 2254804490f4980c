// The definitions of one classifier group as the functions over its values read them.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>

#include "dane/lists_startup.h"
#include "keldox/classifiers.h"

namespace keldox::classifiers_detail {

inline constexpr std::uint8_t kComputedKind = 3;
inline constexpr std::uint8_t kHyperlinkKind = 4;
inline constexpr std::uint8_t kListKind = 10;

enum class DataType { text, number, integer, date, hyperlink, other };

// The group's fields by number, read under the list's shared lock, which the view holds until it is
// released (before anything waits for the user). Only valid while held.
class GroupFields {
 public:
  explicit GroupFields(std::string_view group);
  // Field n (1..10), nullptr when the group does not define it.
  const dane::KlasyfikatorEntry* operator[](std::size_t number) const {
    return number >= 1 && number <= kClassifierFields ? fields_[number - 1] : nullptr;
  }
  void release();

 private:
  std::shared_lock<std::shared_mutex> lock_;
  std::array<const dane::KlasyfikatorEntry*, kClassifierFields> fields_{};
};

DataType data_type(const dane::KlasyfikatorEntry& field);
// Numbers and dates: compared as numbers, shown to the right.
bool numeric(DataType type);
bool active(const dane::KlasyfikatorEntry& field);

// The table or view that holds the group's values.
std::string_view values_table(std::string_view group);

// What a computed field (kind 3) stands for: its function, called with `record` when it takes the
// record's identifier.
std::string computed_expression(const dane::KlasyfikatorEntry& field, std::string_view record);

}  // namespace keldox::classifiers_detail
