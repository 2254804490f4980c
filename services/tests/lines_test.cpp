// Lines of a text, word-wrapped pieces and separated fields.
#include <gtest/gtest.h>

#include <vector>

#include "keldox/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct LineRow {
  const char* name;
  const char* text;
  std::int32_t number;
  bool found;
  const char* line;  // what the output holds afterwards; it starts as "untouched"
};

class TextLine : public ::testing::TestWithParam<LineRow> {};

TEST_P(TextLine, FindsLineOrLeavesOutputUntouched) {
  std::string line = "untouched";
  EXPECT_EQ(POBIERZLINIE(GetParam().text, line, GetParam().number), GetParam().found);
  EXPECT_EQ(line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextLine,
    ::testing::Values(LineRow{"first_of_three", "Ala\r\nma\r\nkota", 1, true, "Ala"},
                      LineRow{"middle", "Ala\r\nma\r\nkota", 2, true, "ma"},
                      LineRow{"last_without_break", "Ala\r\nma\r\nkota", 3, true, "kota"},
                      LineRow{"past_the_end", "Ala\r\nma\r\nkota", 4, false, "untouched"},
                      LineRow{"single_line", "Żółw  ", 1, true, "Żółw"},
                      LineRow{"single_blank_line", "   ", 1, false, "untouched"},
                      LineRow{"blank_first_of_two", "\r\nb", 1, true, ""},
                      LineRow{"empty_after_last_break", "a\r\n", 2, true, ""},
                      LineRow{"lone_feed_is_no_break", "a\nb", 2, false, "untouched"},
                      LineRow{"zero_line_number", "a\r\nb", 0, false, "untouched"},
                      LineRow{"negative_line_number", "a\r\nb", -3, false, "untouched"}),
    [](const auto& info) { return info.param.name; });

TEST(TextLine, LooksAtFirst500CharactersOnly) {
  const std::string text = std::string(497, 'x') + "ż\r\nsecond";  // the break ends at character 500
  std::string line;
  EXPECT_TRUE(POBIERZLINIE(text, line, 2));
  EXPECT_EQ(line, "");
  const std::string longer = std::string(497, 'x') + "żż\r\nsecond";  // the break starts past 500
  EXPECT_FALSE(POBIERZLINIE(longer, line, 2));
}

struct Piece {
  std::string text;
  std::int32_t position;
};

std::vector<Piece> wrap(std::string_view text, std::int32_t width) {
  std::vector<Piece> pieces;
  std::int32_t position = 1;
  for (int guard = 0; guard < 1000; ++guard) {
    std::string piece = PODZIELLINIE(text, position, width);
    pieces.push_back({piece, position});
    if (position == 0) break;
    ++position;
  }
  return pieces;
}

TEST(WordWrap, BreaksAtLastBlankAndEndsWithZero) {
  const auto pieces = wrap("ala ma kota i psa", 10);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].text, "ala ma");
  EXPECT_EQ(pieces[0].position, 7);
  EXPECT_EQ(pieces[1].text, "kota i psa");
  EXPECT_EQ(pieces[1].position, 0);
}

TEST(WordWrap, CarriageReturnEndsPieceAndFeedIsDropped) {
  const auto pieces = wrap("Łódź\r\nGdańsk", 20);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].text, "Łódź");
  EXPECT_EQ(pieces[0].position, 5);
  EXPECT_EQ(pieces[1].text, "Gdańsk");
  EXPECT_EQ(pieces[1].position, 0);
}

TEST(WordWrap, HardCutCountsCharacters) {
  const auto pieces = wrap("żółtażółta", 4);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].text, "żółt");
  EXPECT_EQ(pieces[0].position, 4);
  EXPECT_EQ(pieces[1].text, "ażół");
  EXPECT_EQ(pieces[2].text, "ta");
}

TEST(WordWrap, WidthAbove100WrapsAt100SoNothingIsLost) {
  const std::string text(250, 'x');
  const auto pieces = wrap(text, 150);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].text.size(), 100u);
  EXPECT_EQ(pieces[1].text.size(), 100u);
  EXPECT_EQ(pieces[2].text.size(), 50u);
}

TEST(WordWrap, WidthBelowOneStillMovesOn) {
  const auto pieces = wrap("ab", 0);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].text, "a");
  EXPECT_EQ(pieces[1].text, "b");
}

TEST(WordWrap, PositionPastTheEndFinishes) {
  std::int32_t position = 40;
  EXPECT_EQ(PODZIELLINIE("krótki", position, 10), "");
  EXPECT_EQ(position, 0);
}

struct FieldRow {
  const char* name;
  const char* text;
  std::int32_t field;
  const char* separator;
  const char* expected;
};

class SplitField : public ::testing::TestWithParam<FieldRow> {};

TEST_P(SplitField, ReturnsTheField) {
  EXPECT_EQ(SPLITSTRING(GetParam().text, GetParam().field, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SplitField,
    ::testing::Values(FieldRow{"first", "a;b;c", 1, ";", "a"}, FieldRow{"middle", "a;b;c", 2, ";", "b"},
                      FieldRow{"last", "a;b;c", 3, ";", "c"}, FieldRow{"past_the_end", "a;b;c", 4, ";", ""},
                      FieldRow{"last_keeps_padding", "a;b  ", 2, ";", "b  "},
                      FieldRow{"zero_reads_as_first", "a;b", 0, ";", "a"},
                      FieldRow{"only_first_separator_character", "a;b,c", 2, ";,", "b,c"},
                      FieldRow{"polish_separator", "jeden§dwa§trzy", 2, "§", "dwa"},
                      FieldRow{"empty_field", "a;;c", 2, ";", ""},
                      FieldRow{"empty_separator_first", "a;b", 1, "", "a;b"},
                      FieldRow{"empty_separator_second", "a;b", 2, "", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace keldox
