// The parsed forms of display pictures and the formatters and readers of each family.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/picture.h"

namespace runtime::picture_detail {

inline constexpr int kMaxWidth = 1000;

struct NumberForm {
  bool is_signed = false;
  bool grouped = true;
  int width = 0;
  int places = 0;
  char point = '.';
  std::string prefix;
  std::string suffix;
};

struct ExponentForm {
  int width = 0;
  int places = 0;
  char point = '.';
};

struct TextForm {
  int width = 0;
};

struct DateForm {
  int form = 0;
  char separator = '/';
};

struct TimeForm {
  int form = 0;
  char separator = ':';
};

struct PatternForm {
  std::string layout;
};

using Form = std::variant<NumberForm, ExponentForm, TextForm, DateForm, TimeForm, PatternForm>;

// nullopt for a picture outside the grammar.
std::optional<Form> parse_form(std::string_view picture);

std::string format_number(const NumberForm& form, const Decimal& value);
PictureRead read_number(const NumberForm& form, std::string_view typed);
std::string format_exponent(const ExponentForm& form, const Decimal& value);
PictureRead read_exponent(const ExponentForm& form, std::string_view typed);
std::string format_pattern(const PatternForm& form, const Decimal& value);
PictureRead read_pattern(const PatternForm& form, std::string_view typed);

std::string format_date(const DateForm& form, const Decimal& value);
PictureRead read_date(const DateForm& form, std::string_view typed);
std::string format_time(const TimeForm& form, const Decimal& value);
PictureRead read_time(const TimeForm& form, std::string_view typed);

// Helpers shared by the families.
PictureRead read_failure(ReadStatus status);
std::string fill(int width, char c);
// The value as a whole number within [low, high]; nullopt otherwise.
std::optional<long long> whole_in_range(const Decimal& value, long long low, long long high);

}  // namespace runtime::picture_detail
