// Address lines and hexadecimal renderings.
#include <gtest/gtest.h>

#include "keldox/text.h"
#include "runtime/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct AddressRow {
  const char* name;
  const char* street;
  const char* house;
  const char* flat;
  const char* expected;
};

class AddressLine : public ::testing::TestWithParam<AddressRow> {};

TEST_P(AddressLine, JoinsTheGivenParts) {
  const AddressRow& row = GetParam();
  EXPECT_EQ(PODAJADRES(row.street, row.house, row.flat), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, AddressLine,
    ::testing::Values(AddressRow{"street_house_flat", "Polna  ", "12 ", "3 ", "Polna 12/3"},
                      AddressRow{"no_house_drops_flat", "Polna", "  ", "3", "Polna"},
                      AddressRow{"no_flat", "Polna", "12", "", "Polna 12"},
                      AddressRow{"no_street", "", "12", "3", " 12/3"},
                      AddressRow{"polish_street", "Żółkiewskiego", "5a", "", "Żółkiewskiego 5a"}),
    [](const auto& info) { return info.param.name; });

TEST(AddressLine, CutTo99Characters) {
  std::string street;
  for (int i = 0; i < 98; ++i) street += "ś";
  const std::string line = PODAJADRES(street, "12", "3");
  EXPECT_EQ(runtime::char_count(line), 99u);
  EXPECT_EQ(line.back(), ' ');
}

TEST(AddressLine, StreetAloneWhenHouseOmitted) {
  EXPECT_EQ(PODAJADRES("Polna"), "Polna");
}

struct HexRow {
  const char* name;
  std::int32_t value;
  const char* expected;
};

class LongHex : public ::testing::TestWithParam<HexRow> {};

TEST_P(LongHex, EightUpperCaseDigits) {
  EXPECT_EQ(LONGTOHEX(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, LongHex,
                         ::testing::Values(HexRow{"small", 26, "0000001A"}, HexRow{"zero", 0, "00000000"},
                                           HexRow{"byte_order", 0x12AB34CD, "12AB34CD"},
                                           HexRow{"minus_one", -1, "FFFFFFFF"},
                                           HexRow{"lowest", INT32_MIN, "80000000"}),
                         [](const auto& info) { return info.param.name; });

TEST(ByteHex, TwoUpperCaseDigitsHighNibbleFirst) {
  EXPECT_EQ(BYTETOHEX(255), "FF");
  EXPECT_EQ(BYTETOHEX(0), "00");
  EXPECT_EQ(BYTETOHEX(0xA7), "A7");
  EXPECT_EQ(BYTETOHEX(10), "0A");
}

}  // namespace
}  // namespace keldox
