// Fields of a list record by position: how many there are and how a text lands in the n-th of them.
#pragma once

#include <concepts>
#include <cstddef>
#include <limits>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "runtime/number_text.h"
#include "runtime/text.h"

namespace dane {

// A list record names its fields in declaration order:
//   static constexpr auto fields() { return std::tuple{&Rec::A, &Rec::B, ...}; }
template <class Record>
concept RecordWithFields = requires {
  std::tuple_size<decltype(Record::fields())>::value;
};

template <RecordWithFields Record>
constexpr std::size_t field_count() {
  return std::tuple_size_v<decltype(Record::fields())>;
}

// The number a text stands for: blanks around it ignored, the longest leading decimal number taken
// ("12.5x" is 12.5), anything without one, infinities and NaN read as 0 (runtime/number_text.h).
using runtime::number_from_text;

// The assignment of a text to a field: texts are cut to the field's width; numbers read as above,
// whole-number fields drop the fraction and hold values beyond their range at the nearest bound.
template <std::size_t W>
void assign_from_text(runtime::FixedText<W>& field, std::string_view text) {
  field = text;
}

template <class T>
requires std::is_arithmetic_v<T>
void assign_from_text(T& field, std::string_view text) {
  const double value = number_from_text(text);
  if constexpr (std::is_floating_point_v<T>) {
    field = static_cast<T>(value);
  } else {
    constexpr double low = static_cast<double>(std::numeric_limits<T>::min());
    constexpr double high = static_cast<double>(std::numeric_limits<T>::max());
    if (value <= low) {
      field = std::numeric_limits<T>::min();
    } else if (value >= high) {
      field = std::numeric_limits<T>::max();
    } else {
      field = static_cast<T>(value);
    }
  }
}

// Assigns `text` to the field at the 1-based `position`; false (record unchanged) outside
// 1..field_count<Record>().
template <RecordWithFields Record>
bool assign_field(Record& record, std::size_t position, std::string_view text) {
  constexpr auto fields = Record::fields();
  constexpr std::size_t count = std::tuple_size_v<decltype(fields)>;
  if (position == 0 || position > count) return false;
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    static_cast<void>(
        ((position == I + 1 ? (assign_from_text(record.*std::get<I>(fields), text), true) : false) || ...));
  }
  (std::make_index_sequence<count>{});
  return true;
}

}  // namespace dane
