#include "keldox/sql_text.h"

#include <gtest/gtest.h>

namespace keldox {
namespace {

struct ReplaceRow {
  const char* name;
  const char* text;
  const char* search;
  const char* replacement;
  const char* first;  // REPLACEPROC
  const char* all;    // REPLACEPROC2
};

class Replace : public ::testing::TestWithParam<ReplaceRow> {};

TEST_P(Replace, FirstAndEveryOccurrence) {
  const auto& r = GetParam();
  EXPECT_EQ(REPLACEPROC(r.text, r.search, r.replacement), r.first);
  EXPECT_EQ(REPLACEPROC2(r.text, r.search, r.replacement), r.all);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Replace,
    ::testing::Values(ReplaceRow{"absent", "select 1", "x", "y", "select 1", "select 1"},
                      ReplaceRow{"one", "a=:ID", ":ID", "5", "a=5", "a=5"},
                      ReplaceRow{"several", "x,x,x", "x", "yy", "yy,x,x", "yy,yy,yy"},
                      ReplaceRow{"doubling_quotes", "O'Neil's", "'", "''", "O''Neil's", "O''Neil''s"},
                      ReplaceRow{"replacement_contains_search", "aXa", "a", "aa", "aaXa", "aaXaa"},
                      ReplaceRow{"search_inside_the_marker", "50$ i 20$", "$", "zł", "50zł i 20$",
                                 "50zł i 20zł"},
                      ReplaceRow{"empty_search", "abc", "", "x", "abc", "abc"},
                      ReplaceRow{"to_empty", "a b c", " ", "", "ab c", "abc"},
                      ReplaceRow{"polish_letters", "Łódź, Łomża", "Ł", "L", "Lódź, Łomża", "Lódź, Lomża"}),
    [](const auto& info) { return info.param.name; });

TEST(Replace, LongTextIsHeldToItsWidth) {
  const std::string text(100'000, 'a');
  EXPECT_EQ(REPLACEPROC2(text, "b", "c").size(), 79'999u);
  EXPECT_EQ(REPLACEPROC2(std::string(79'000, 'a'), "a", "bb").size(), 79'999u);
}

}  // namespace
}  // namespace keldox
