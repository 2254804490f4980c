// Names compared blind to case and trailing blanks: which pairs match, agreement with the upper-case
// and collation comparisons that name lookups made before, and that a comparison never reaches the heap.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "mirlet_testing/counting_allocator.h"
#include "runtime/text.h"

namespace runtime {
namespace {

struct NameRow {
  const char* name;
  const char* a;
  const char* b;
  bool same;
};

void PrintTo(const NameRow& row, std::ostream* out) {
  *out << row.name;
}

class SameName : public ::testing::TestWithParam<NameRow> {};

TEST_P(SameName, MatchesEitherWayRound) {
  const NameRow& r = GetParam();
  EXPECT_EQ(same_name(r.a, r.b), r.same);
  EXPECT_EQ(same_name(r.b, r.a), r.same);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SameName,
    ::testing::Values(NameRow{"ascii_case", "Dodaj", "DODAJ", true},
                      NameRow{"polish_letters", "zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ", true},
                      NameRow{"mixed_polish", "ŁóDź", "łÓdŹ", true},
                      NameRow{"central_european", "čďěňřšťžůľĺŕőű", "ČĎĚŇŘŠŤŽŮĽĹŔŐŰ", true},
                      NameRow{"trailing_blanks", "Przelew   ", "przelew", true},
                      NameRow{"blank_and_empty", "   ", "", true},
                      NameRow{"leading_blank_counts", " Przelew", "Przelew", false},
                      NameRow{"inner_blank_counts", "Nr konta", "Nrkonta", false},
                      NameRow{"prefix", "Kra", "Kraków", false},
                      NameRow{"prefix_of_polish_letter", "Łód", "ŁÓDŹ", false},
                      NameRow{"stroke_is_another_letter", "Łódź", "Lodz", false},
                      NameRow{"ogonek_is_another_letter", "ą", "a", false},
                      NameRow{"different", "Popraw", "Usuń", false},
                      NameRow{"sharp_s_is_not_ss", "ß", "SS", false},
                      NameRow{"stray_byte_itself",
                              "a\xFF"
                              "b",
                              "A\xFF"
                              "B",
                              true},
                      NameRow{"stray_bytes_differ", "\xFE", "\xFF", false},
                      NameRow{"stray_byte_is_no_replacement_character", "\xFF", "\xEF\xBF\xBD", false}),
    [](const auto& info) { return info.param.name; });

TEST(SameName, AgreesWithUpperCaseTextsAndCollationEquality) {
  // Every pair of the Latin letters and signs up to Latin Extended-A, blank excepted (trailing blanks are
  // the one place where same_name means more than equal upper case).
  std::string a, b;
  for (char32_t x = 0x21; x < 0x180; ++x) {
    a.clear();
    append_utf8(a, x);
    for (char32_t y = 0x21; y < 0x180; ++y) {
      b.clear();
      append_utf8(b, y);
      ASSERT_EQ(same_name(a, b), to_upper(a) == to_upper(b)) << a << " / " << b;
      ASSERT_EQ(same_name(a, b), collate_compare(a, b) == 0) << a << " / " << b;
    }
  }
}

TEST(SameName, NeverAllocates) {
  const std::string lower = std::string(40, 'x') + "zażółć gęślą jaźń ąćęłńóśźż";
  const std::string upper = std::string(40, 'X') + "ZAŻÓŁĆ GĘŚLĄ JAŹŃ ĄĆĘŁŃÓŚŹŻ    ";
  const std::string other = std::string(40, 'X') + "ZAŻÓŁĆ GĘŚLĄ JAŹŃ ĄĆĘŁŃÓŚŹŹ";
  mirlet_testing::counting = true;
  mirlet_testing::allocations = 0;
  const bool same = same_name(lower, upper);
  const bool differ = same_name(lower, other);
  const std::size_t counted = mirlet_testing::allocations;
  mirlet_testing::counting = false;
  EXPECT_TRUE(same);
  EXPECT_FALSE(differ);
  EXPECT_EQ(counted, 0u);
}

}  // namespace
}  // namespace runtime
