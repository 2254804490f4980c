// A literal argument of a stored-procedure call or a bound value: null, integer, decimal number, text, or
// the bytes of a binary column (bound as such, never read as text by the database).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace db {

struct Value {
  // Numbers that are not whole keep their literal text so that no binary rounding creeps in.
  struct Decimal {
    std::string text;
  };
  struct Bytes {
    std::string data;
  };
  std::variant<std::monostate, std::int64_t, Decimal, std::string, Bytes> data;

  static Value null() { return {}; }
  static Value integer(std::int64_t v) { return {v}; }
  static Value decimal(std::string literal) { return {Decimal{std::move(literal)}}; }
  static Value text(std::string v) { return {std::move(v)}; }
  static Value bytes(std::string v) { return {Bytes{std::move(v)}}; }

  bool is_null() const { return std::holds_alternative<std::monostate>(data); }
  bool is_text() const { return std::holds_alternative<std::string>(data); }
  bool is_bytes() const { return std::holds_alternative<Bytes>(data); }
  // Whole-number view: integers as they are, decimals and numeric texts truncated, null and other texts 0.
  std::int64_t as_int() const;
  // Number view: decimals and texts by the number they start with (a point before the decimals whatever
  // the process locale, an exponent read), null and other texts 0.
  double as_double() const;
  // Text view: texts and bytes as they are, numbers in their plain decimal form, null as an empty text.
  std::string as_text() const;
};

}  // namespace db
