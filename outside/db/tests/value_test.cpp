// The number view of procedure-call values: what a routine reads from a literal or a text argument.
#include "db/value.h"

#include <gtest/gtest.h>

#include <ostream>

namespace db {
namespace {

struct ValueRow {
  const char* name;
  Value value;
  double number;
};

void PrintTo(const ValueRow& row, std::ostream* out) {
  *out << row.name;
}

class ValueAsDouble : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ValueAsDouble, ReadsTheNumberTheValueStartsWith) {
  EXPECT_DOUBLE_EQ(GetParam().value.as_double(), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Values, ValueAsDouble,
                         ::testing::Values(ValueRow{"integer", Value::integer(-7), -7},
                                           ValueRow{"decimal", Value::decimal("12.50"), 12.5},
                                           ValueRow{"decimal_rate", Value::decimal("0.2500"), 0.25},
                                           ValueRow{"text_with_blanks", Value::text(" 4.5 "), 4.5},
                                           ValueRow{"text_with_exponent", Value::text("1.0e+15"), 1e15},
                                           ValueRow{"text_with_tail", Value::text("-0.75 zł"), -0.75},
                                           ValueRow{"plus", Value::text("+3"), 3},
                                           ValueRow{"word", Value::text("abc"), 0},
                                           ValueRow{"empty_text", Value::text(""), 0},
                                           ValueRow{"null", Value::null(), 0}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace db
