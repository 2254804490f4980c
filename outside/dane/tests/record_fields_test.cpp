// Tests of filling list records field by field from texts, as delimited query results arrive.
#include "dane/record_fields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "dane/lists_settings.h"
#include "dane/lists_startup.h"

namespace dane {
namespace {

struct NumberRow {
  const char* name;
  const char* text;
  double value;
};

const std::string kHugeNumber(400, '9');

class NumberFromText : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NumberFromText, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(number_from_text(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberFromText,
    ::testing::Values(NumberRow{"whole", "3000001", 3000001}, NumberRow{"blanks_around", "  12  ", 12},
                      NumberRow{"fraction", "23.00", 23}, NumberRow{"negative", "-0.5", -0.5},
                      NumberRow{"plus", "+7", 7}, NumberRow{"double_sign", "+-7", 0},
                      NumberRow{"trailing_text", "12.5x", 12.5}, NumberRow{"empty", "", 0},
                      NumberRow{"word", "Tak", 0}, NumberRow{"comma_stops", "1,5", 1},
                      NumberRow{"infinity", "inf", 0}, NumberRow{"nan", "nan", 0},
                      NumberRow{"huge", kHugeNumber.c_str(), 0}),
    [](const auto& info) { return info.param.name; });

TEST(AssignFromText, WholeNumberFieldsTruncateAndHoldAtTheirBounds) {
  std::uint8_t flag = 7;
  assign_from_text(flag, "1");
  EXPECT_EQ(flag, 1);
  assign_from_text(flag, "300");
  EXPECT_EQ(flag, 255);
  assign_from_text(flag, "-4");
  EXPECT_EQ(flag, 0);
  std::int32_t number = 0;
  assign_from_text(number, "-12.9");
  EXPECT_EQ(number, -12);
  assign_from_text(number, "99999999999");
  EXPECT_EQ(number, std::numeric_limits<std::int32_t>::max());
  std::int16_t kind = 0;
  assign_from_text(kind, "-40000");
  EXPECT_EQ(kind, std::numeric_limits<std::int16_t>::min());
}

TEST(AssignField, FillsTheNthFieldInDeclarationOrder) {
  ParamKonfEntry entry;
  EXPECT_TRUE(assign_field(entry, 1, "145"));
  EXPECT_TRUE(assign_field(entry, 2, "DOMKASA"));
  EXPECT_TRUE(assign_field(entry, 3, "@n3"));
  EXPECT_TRUE(assign_field(entry, 4, "12"));
  EXPECT_EQ(entry.ID_POZYCJI, 145);
  EXPECT_EQ(entry.KOD, "DOMKASA");
  EXPECT_EQ(entry.MASKA, "@n3");
  EXPECT_EQ(entry.WARTOSC, "12");
}

TEST(AssignField, PositionsOutsideTheRecordChangeNothing) {
  ParamKonfEntry entry;
  entry.KOD = "X";
  EXPECT_FALSE(assign_field(entry, 0, "A"));
  EXPECT_FALSE(assign_field(entry, field_count<ParamKonfEntry>() + 1, "A"));
  EXPECT_EQ(entry.KOD, "X");
  EXPECT_EQ(entry.ID_POZYCJI, 0);
}

TEST(AssignField, TextsAreCutAtTheFieldWidthWithoutSplittingALetter) {
  OknoEntry window;
  EXPECT_TRUE(assign_field(window, 2, std::string(19, 'A') + "ŻÓŁW"));
  EXPECT_EQ(window.NAZWA.view(), std::string(19, 'A') + "Ż");
  EXPECT_EQ(runtime::char_count(window.NAZWA.view()), 20u);

  KlasyfikatorEntry field;
  const std::string path = std::string(499, 'x') + "łódź";
  EXPECT_TRUE(assign_field(field, 16, path));
  EXPECT_EQ(field.path_app_obiektu.view(), std::string(499, 'x') + "ł");
  EXPECT_TRUE(assign_field(field, 17, "1"));
  EXPECT_EQ(field.nie_edytowany, 1);
}

}  // namespace
}  // namespace dane
