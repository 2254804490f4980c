// The DOS Mazovia code page against the program's text.
#include <gtest/gtest.h>

#include "keldox/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

constexpr const char* polish_letters = "ĄĆĘŁŃÓŚŹŻąćęłńóśźż";
constexpr const char* mazovia_letters =
    "\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7";

struct MazoviaRow {
  const char* name;
  const char* mazovia;
  const char* text;
};

class MazoviaRoundTrip : public ::testing::TestWithParam<MazoviaRow> {};

TEST_P(MazoviaRoundTrip, ConvertsBothWays) {
  EXPECT_EQ(MAZOVIATOWINDOWS(GetParam().mazovia), GetParam().text);
  EXPECT_EQ(WINDOWSTOMAZOVIA(GetParam().text), GetParam().mazovia);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MazoviaRoundTrip,
    ::testing::Values(MazoviaRow{"all_polish_letters", mazovia_letters, polish_letters},
                      MazoviaRow{"plain_ascii", "Faktura 12/2016 - zaplacono", "Faktura 12/2016 - zaplacono"},
                      MazoviaRow{"sentence", "Za\xA7\xA2\x92\x8D g\x91\x9El\x86 ja\xA6\xA4",
                                 "Zażółć gęślą jaźń"},
                      MazoviaRow{"empty", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(MazoviaToWindows, TurnsApostropheIntoUnderscore) {
  EXPECT_EQ(MAZOVIATOWINDOWS("O'Neil"), "O_Neil");
  EXPECT_EQ(WINDOWSTOMAZOVIA("O'Neil"), "O'Neil");
}

TEST(MazoviaToWindows, OtherBytesKeepTheirWindows1250Meaning) {
  // 0xB9 is no Mazovia letter, so it stays the Windows-1250 byte of "ą"; 0xE9 is "é" there.
  EXPECT_EQ(MAZOVIATOWINDOWS("\xB9\xE9"), "ąé");
  EXPECT_EQ(WINDOWSTOMAZOVIA("é€"), "\xE9\x80");
}

TEST(WindowsToMazovia, UnknownCharactersAndBrokenBytesBecomeQuestionMarks) {
  EXPECT_EQ(WINDOWSTOMAZOVIA("a日b"), "a?b");
  EXPECT_EQ(WINDOWSTOMAZOVIA("a\xC4"), "a?");
}

TEST(MazoviaLimit, ConvertsOnly199Characters) {
  std::string mazovia;
  std::string text;
  for (int i = 0; i < 250; ++i) {
    mazovia += "\x86";
    text += "ą";
  }
  const std::string converted = MAZOVIATOWINDOWS(mazovia);
  EXPECT_EQ(converted.size(), 199u * 2);
  const std::string back = WINDOWSTOMAZOVIA(text);
  EXPECT_EQ(back, mazovia.substr(0, 199));
}

}  // namespace
}  // namespace keldox
