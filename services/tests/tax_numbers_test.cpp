// Check digits of tax and personal numbers, statistical numbers and the EU form of a tax number.
#include <gtest/gtest.h>

#include <vector>

#include "dane/database.h"
#include "db/test_clients.h"
#include "keldox/identifiers.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct NumberRow {
  const char* name;
  const char* number;
  std::uint8_t valid;
};

class TaxNumber : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TaxNumber, Answers) {
  EXPECT_EQ(NIPOK(GetParam().number), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, TaxNumber,
    ::testing::Values(
        NumberRow{"bare_digits", "5260001246", 1}, NumberRow{"wrong_check_digit", "5260001247", 0},
        NumberRow{"dashes", "526-000-12-46", 1}, NumberRow{"blanks_between_groups", "526 000 12 46", 1},
        NumberRow{"leading_blanks_checked", "   5260001247", 0},
        NumberRow{"trailing_blanks", "1234563218   ", 1}, NumberRow{"remainder_10_last_0", "1234567890", 0},
        NumberRow{"remainder_10_last_1", "1234567891", 0}, NumberRow{"remainder_10_other", "1000000160", 0},
        NumberRow{"first_ten_of_more", "52600012469999", 1}, NumberRow{"nine_digits", "526000124", 0},
        NumberRow{"country_prefix_unchecked", "PL5260001247", 1},
        NumberRow{"foreign_letters_unchecked", "DE123", 1}, NumberRow{"dash_first_unchecked", "-12", 1},
        NumberRow{"all_zero", "0000000000", 1}, NumberRow{"empty", "", 0}, NumberRow{"blank", "     ", 0},
        NumberRow{"digits_past_49_characters_ignored", "5 2 6 0 0 0 1 2 4 ...............................6",
                  0}),
    [](const auto& info) { return info.param.name; });

class PersonalNumber : public ::testing::TestWithParam<NumberRow> {};

TEST_P(PersonalNumber, Answers) {
  EXPECT_EQ(PESELOK(GetParam().number), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Numbers, PersonalNumber,
                         ::testing::Values(NumberRow{"valid", "44051401359", 1},
                                           NumberRow{"wrong_check_digit", "44051401358", 0},
                                           NumberRow{"born_2002", "02070803628", 1},
                                           NumberRow{"sum_multiple_of_ten_needs_0", "80010112340", 1},
                                           NumberRow{"sum_multiple_of_ten_rejects_10_as_1", "80010112341", 0},
                                           NumberRow{"first_eleven_of_more", "440514013597777", 1},
                                           NumberRow{"separators_ignored", "440514 01359", 1},
                                           NumberRow{"letters_first_still_checked", "X44051401358", 0},
                                           NumberRow{"ten_digits", "4405140135", 0},
                                           NumberRow{"empty", "", 0}),
                         [](const auto& info) { return info.param.name; });

TEST(StatisticalNumber, AlwaysValid) {
  EXPECT_EQ(REGONOK(""), 1);
  EXPECT_EQ(REGONOK("123"), 1);
  EXPECT_EQ(REGONOK("nie numer"), 1);
}

// The session database answering from a script, with every statement recorded.
class RecordingQuery {
 public:
  RecordingQuery() { dane::install_database(&recording_); }
  ~RecordingQuery() { dane::install_database(nullptr); }
  void answer(std::string value) { scripted_.queue_rows({{std::move(value)}}); }
  std::vector<std::string> statements() const { return recording_.statements(); }

 private:
  db::ScriptedClient scripted_;
  db::RecordingClient recording_{scripted_};
};

TEST(EuTaxNumber, OtherModesGiveTrimmedNumberWithoutAskingTheDatabase) {
  RecordingQuery query;
  EXPECT_EQ(NIPUE("526-000-12-46   ", "PL"), "526-000-12-46");
  EXPECT_EQ(NIPUE("5260001246", "PL", 2), "5260001246");
  EXPECT_EQ(NIPUE("123456789012345678901234", "", 0), "12345678901234567890");
  EXPECT_TRUE(query.statements().empty());
}

TEST(EuTaxNumber, ModeOneAsksTheDatabaseFunction) {
  RecordingQuery query;
  query.answer("PL5260001246");
  EXPECT_EQ(NIPUE("526-000-12-46  ", "PL ", 1), "PL5260001246");
  ASSERT_EQ(query.statements().size(), 1u);
  EXPECT_EQ(query.statements()[0], "select dbo.AP_Func_PodajNip('526-000-12-46','PL',1)");
}

TEST(EuTaxNumber, ModeOneWithoutDatabaseAnswersEmpty) {
  EXPECT_EQ(NIPUE("5260001246", "PL", 1), "");
}

TEST(EuTaxNumber, ModeOneQuotesApostrophesAndCutsTheAnswer) {
  RecordingQuery query;
  query.answer(std::string(30, '7'));
  EXPECT_EQ(NIPUE("O'1", "x'y", 1), std::string(20, '7'));
  ASSERT_EQ(query.statements().size(), 1u);
  EXPECT_EQ(query.statements()[0], "select dbo.AP_Func_PodajNip('O''1','x''y',1)");
}

}  // namespace
}  // namespace keldox
