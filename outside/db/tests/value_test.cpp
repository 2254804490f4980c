// The number view of procedure-call values: what a routine reads from a literal or a text argument.
#include "db/value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ostream>
#include <string>

#include "mirlet_testing/temp_folder.h"

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

TEST(ValueAsDouble, ReadsAPointWhateverTheProcessLocale) {
  // The Qt host sets the process locale from the environment; a Polish one writes "0,25". A locale with a
  // decimal comma is compiled into a private folder, so the machine need not have it installed.
  const mirlet_testing::TempFolder folder("valuetest-locales");
  const std::string command =
      "localedef -i pl_PL -f UTF-8 " + folder.file("pl_PL.UTF-8") + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "localedef could not build pl_PL";
  setenv("LOCPATH", folder.path().c_str(), 1);
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  const bool polish = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr;
  const double rate = Value::decimal("0.25").as_double();
  const double text = Value::text("12.5").as_double();
  std::setlocale(LC_NUMERIC, before.c_str());
  unsetenv("LOCPATH");
  ASSERT_TRUE(polish);
  EXPECT_DOUBLE_EQ(rate, 0.25);
  EXPECT_DOUBLE_EQ(text, 12.5);
}

}  // namespace
}  // namespace db
