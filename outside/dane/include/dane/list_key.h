// Keys of the session lists: which fields of a record order and find its entries.
#pragma once

#include <compare>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "runtime/text.h"

namespace dane {

// Marks a key field whose order is reversed: Key<descending<&Rec::DATA>, &Rec::NUMER>.
template <auto Member>
struct Descending {
  static constexpr auto member = Member;
};
template <auto Member>
inline constexpr Descending<Member> descending{};

namespace detail {

template <class T>
struct IsFixedText : std::false_type {};
template <std::size_t W>
struct IsFixedText<runtime::FixedText<W>> : std::true_type {};

template <class T>
concept TextLike =
    IsFixedText<std::remove_cvref_t<T>>::value || std::is_convertible_v < const std::remove_cvref_t<T>
&, std::string_view > ;

template <class T>
std::string_view as_view(const T& value) {
  if constexpr (IsFixedText<T>::value) {
    return value.view();
  } else {
    return std::string_view(value);
  }
}

// One field against one value: texts ignore trailing blanks, integers compare exactly whatever their
// signedness, anything else numeric compares as double (a NaN is equivalent to everything).
template <class A, class B>
std::weak_ordering compare_value(const A& a, const B& b) {
  if constexpr (TextLike<A> && TextLike<B>) {
    return runtime::compare_text(as_view(a), as_view(b));
  } else if constexpr (std::integral<A> && std::integral<B>) {
    if (std::cmp_less(a, b)) return std::weak_ordering::less;
    if (std::cmp_greater(a, b)) return std::weak_ordering::greater;
    return std::weak_ordering::equivalent;
  } else {
    static_assert(std::is_arithmetic_v<A> && std::is_arithmetic_v<B>,
                  "a key value must be a text for a text field and a number for a number field");
    const double x = static_cast<double>(a);
    const double y = static_cast<double>(b);
    if (x < y) return std::weak_ordering::less;
    if (x > y) return std::weak_ordering::greater;
    return std::weak_ordering::equivalent;
  }
}

template <class T>
struct DescendingMember {
  static constexpr bool reversed = false;
};
template <auto Member>
struct DescendingMember<Descending<Member>> {
  static constexpr bool reversed = true;
  static constexpr auto member = Member;
};

template <auto Field>
struct KeyField {
  using Marker = DescendingMember<std::remove_cv_t<decltype(Field)>>;
  static constexpr bool reversed = Marker::reversed;
  static constexpr auto member = [] {
    if constexpr (Marker::reversed) {
      return Marker::member;
    } else {
      return Field;
    }
  }();
};

template <auto Field, class Record, class Value>
std::weak_ordering compare_field(const Record& record, const Value& value) {
  using F = KeyField<Field>;
  const std::weak_ordering order = compare_value(record.*(F::member), value);
  return F::reversed ? 0 <=> order : order;
}

}  // namespace detail

// A key made of fields of one record type, most significant first. Its comparisons never allocate,
// so lookups by a key are safe where the heap must not be touched.
template <auto... Fields>
struct Key {
  static_assert(sizeof...(Fields) > 0, "a key needs at least one field");
  static constexpr std::size_t size = sizeof...(Fields);

  // Order of two records by this key.
  template <class Record>
  static std::weak_ordering compare(const Record& a, const Record& b) {
    std::weak_ordering result = std::weak_ordering::equivalent;
    // The first field that differs decides.
    static_cast<void>(
        ((result = detail::compare_field<Fields>(a, b.*(detail::KeyField<Fields>::member)), result != 0) ||
         ...));
    return result;
  }

  // Order of a record against key values given one per field (texts as string_view or FixedText).
  template <class Record, class... Values>
  static std::weak_ordering compare_values(const Record& record, const Values&... values) {
    static_assert(sizeof...(Values) == size, "give one value per key field");
    std::weak_ordering result = std::weak_ordering::equivalent;
    static_cast<void>(((result = detail::compare_field<Fields>(record, values), result != 0) || ...));
    return result;
  }
};

}  // namespace dane
