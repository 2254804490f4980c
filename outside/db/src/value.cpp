// Conversions of procedure-call literals.
#include "db/value.h"

#include <cstdlib>
#include <type_traits>

#include "db/result_set.h"
#include "runtime/number_text.h"

namespace db {

std::int64_t Value::as_int() const {
  return std::visit(
      [](const auto& v) -> std::int64_t {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int64_t>) {
          return v;
        } else if constexpr (std::is_same_v<T, Decimal>) {
          return std::strtoll(v.text.c_str(), nullptr, 10);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return std::strtoll(v.c_str(), nullptr, 10);
        } else {
          return 0;
        }
      },
      data);
}

double Value::as_double() const {
  return std::visit(
      [](const auto& v) -> double {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int64_t>) {
          return static_cast<double>(v);
        } else if constexpr (std::is_same_v<T, Decimal>) {
          return runtime::leading_number(v.text, runtime::Exponent::read).value_or(0.0);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return runtime::leading_number(v, runtime::Exponent::read).value_or(0.0);
        } else {
          return 0.0;
        }
      },
      data);
}

std::string Value::as_text() const {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, Decimal>) {
          return v.text;
        } else if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, Bytes>) {
          return v.data;
        } else {
          return std::string();
        }
      },
      data);
}

}  // namespace db
