// Amounts in full words and in the short digit-by-digit form.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "keldox/amount_in_words.h"
#include "runtime/text.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

struct WordsRow {
  const char* name;
  double amount;
  const char* currency;
  const char* words;
};

class AmountInWords : public ::testing::TestWithParam<WordsRow> {};

TEST_P(AmountInWords, SpellsTheAmount) {
  EXPECT_EQ(SLOWNIE(GetParam().amount, GetParam().currency), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    GroupForms, AmountInWords,
    ::testing::Values(
        WordsRow{"one", 1, "", " jeden złoty"}, WordsRow{"two", 2, "", " dwa złote"},
        WordsRow{"five", 5, "", " pięć złotych"}, WordsRow{"twelve", 12, "", " dwanaście złotych"},
        WordsRow{"ten", 10, "", " dziesięć złotych"},
        WordsRow{"twenty_two", 22, "", " dwadzieścia dwa złote"},
        WordsRow{"twenty_one", 21, "", " dwadzieścia jeden złotych"},
        WordsRow{"hundred_twelve", 112, "", " sto dwanaście złotych"},
        WordsRow{"hundred_one", 101, "", " sto jeden złotych"},
        WordsRow{"hundred_four", 104, "", " sto cztery złote"},
        WordsRow{"thousand_written_with_jeden", 1000, "", " jeden tysiąc złotych"},
        WordsRow{"two_thousand", 2000, "", " dwa tysiące złotych"},
        WordsRow{"five_thousand", 5000, "", " pięć tysięcy złotych"},
        WordsRow{"twenty_one_thousand", 21000, "", " dwadzieścia jeden tysięcy złotych"},
        WordsRow{"twenty_two_thousand", 22000, "", " dwadzieścia dwa tysiące złotych"},
        WordsRow{"million", 1000000, "", " jeden milion złotych"},
        WordsRow{"million_and_one", 1000001, "", " jeden milion jeden złoty"},
        WordsRow{"three_millions", 3000000, "", " trzy miliony złotych"},
        WordsRow{"twelve_millions", 12000000, "", " dwanaście milionów złotych"},
        WordsRow{"two_milliards", 2000000000, "", " dwa miliardy złotych"},
        WordsRow{"largest", 999999999999.99, "",
                 " dziewięćset dziewięćdziesiąt dziewięć miliardów dziewięćset dziewięćdziesiąt "
                 "dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset "
                 "dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy"},
        WordsRow{"all_teens", 13014015.16, "",
                 " trzynaście milionów czternaście tysięcy piętnaście złotych szesnaście groszy"},
        WordsRow{"hundreds_words", 200300400.00, "", " dwieście milionów trzysta tysięcy czterysta złotych"},
        WordsRow{"hundreds_words_upper", 567800900, "",
                 " pięćset sześćdziesiąt siedem milionów osiemset tysięcy dziewięćset złotych"},
        WordsRow{"tens_words", 30.40, "", " trzydzieści złotych czterdzieści groszy"},
        WordsRow{"tens_words_upper", 60.70, "", " sześćdziesiąt złotych siedemdziesiąt groszy"},
        WordsRow{"last_tens", 80.90, "", " osiemdziesiąt złotych dziewięćdziesiąt groszy"},
        WordsRow{"units_words", 6789, "", " sześć tysięcy siedemset osiemdziesiąt dziewięć złotych"},
        WordsRow{"teens_in_hundredths", 17.18, "", " siedemnaście złotych osiemnaście groszy"},
        WordsRow{"nineteen", 19.11, "", " dziewiętnaście złotych jedenaście groszy"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Hundredths, AmountInWords,
    ::testing::Values(WordsRow{"with_five_groszy", 100.05, "", " sto złotych pięć groszy"},
                      WordsRow{"round_amount_has_no_groszy", 100.00, "", " sto złotych"},
                      WordsRow{"below_one_has_no_zloty", 0.50, "", " pięćdziesiąt groszy"},
                      WordsRow{"one_grosz", 0.01, "", " jeden grosz"},
                      WordsRow{"few_groszy", 0.22, "", " dwadzieścia dwa grosze"},
                      WordsRow{"twelve_groszy", 0.12, "", " dwanaście groszy"},
                      WordsRow{"thousand_and_grosz", 1000.01, "", " jeden tysiąc złotych jeden grosz"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(SignAndZero, AmountInWords,
                         ::testing::Values(WordsRow{"zero", 0, "", "zero złotych zero groszy"},
                                           WordsRow{"negative_zero", -0.0, "", "zero złotych zero groszy"},
                                           WordsRow{"rounds_to_zero", 0.004, "", ""},
                                           WordsRow{"negative_rounds_to_zero", -0.004, "", ""},
                                           WordsRow{"minus", -100, "", "minus sto złotych"},
                                           WordsRow{"minus_groszy", -0.02, "", "minus dwa grosze"}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Rounding, AmountInWords,
    ::testing::Values(WordsRow{"half_grosz_up", 1.005, "", " jeden złoty jeden grosz"},
                      WordsRow{"decimal_not_binary_half", 2.675, "", " dwa złote sześćdziesiąt osiem groszy"},
                      WordsRow{"negative_half_away_from_zero", -1.005, "", "minus jeden złoty jeden grosz"},
                      WordsRow{"below_half_down", 1.00499, "", " jeden złoty"},
                      WordsRow{"rounds_up_to_next_group", 999.995, "", " jeden tysiąc złotych"},
                      WordsRow{"rounds_to_one_grosz", 0.005, "", " jeden grosz"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Currency, AmountInWords,
    ::testing::Values(WordsRow{"euro", 1.50, "EUR", " jeden EUR pięćdziesiąt EUR/100"},
                      WordsRow{"euro_few", 2.22, "EUR", " dwa EUR dwadzieścia dwa EUR/100"},
                      WordsRow{"euro_many", 5.05, "EUR", " pięć EUR pięć EUR/100"},
                      WordsRow{"euro_round_amount", 1000000, "USD", " jeden milion USD"},
                      WordsRow{"padded_symbol_inserted_as_given", 1.01, "EUR  ",
                               " jeden EUR   jeden EUR  /100"},
                      WordsRow{"pln_keeps_polish", 1.50, "PLN", " jeden złoty pięćdziesiąt groszy"},
                      WordsRow{"padded_pln_keeps_polish", 1.50, "PLN  ", " jeden złoty pięćdziesiąt groszy"},
                      WordsRow{"zl_keeps_polish", 2, "zł", " dwa złote"},
                      WordsRow{"blank_keeps_polish", 2, "   ", " dwa złote"},
                      WordsRow{"zero_with_currency", 0, "EUR", "zero EUR zero EUR/100"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, AmountInWords,
    ::testing::Values(WordsRow{"twelve_digits_exceeded", 1e12, "", ""},
                      WordsRow{"rounds_past_twelve_digits", 999999999999.995, "", ""},
                      WordsRow{"negative_too_large", -1e12, "", ""}, WordsRow{"huge", 1e300, "", ""},
                      WordsRow{"infinity", std::numeric_limits<double>::infinity(), "", ""},
                      WordsRow{"minus_infinity", -std::numeric_limits<double>::infinity(), "", ""},
                      WordsRow{"not_a_number", std::numeric_limits<double>::quiet_NaN(), "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(AmountInWords, OmittedCurrencyIsBlank) {
  EXPECT_EQ(SLOWNIE(2), " dwa złote");
}

TEST(AmountInWords, LongCurrencyCutAt500Characters) {
  const std::string currency(400, 'X');
  const std::string words = SLOWNIE(1.01, currency);
  EXPECT_EQ(runtime::char_count(words), 500u);
  EXPECT_EQ(words.substr(0, 7), " jeden ");
}

struct ShortRow {
  const char* name;
  double amount;
  const char* words;
};

class AmountShortForm : public ::testing::TestWithParam<ShortRow> {};

TEST_P(AmountShortForm, SpellsDigitByDigit) {
  EXPECT_EQ(SLOWNIEKROTKO(GetParam().amount), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, AmountShortForm,
    ::testing::Values(ShortRow{"example", 123.45, " jed* dwa* trz* 45/100"},
                      ShortRow{"every_digit", 1234567890.05,
                               " jed* dwa* trz* czt* pie* sze* sie* osi* dzi* zer* 05/100"},
                      ShortRow{"below_one_writes_zero", 0.5, " zer* 50/100"},
                      ShortRow{"zero", 0, " zer* 00/100"},
                      ShortRow{"rounded_half_up", 10.005, " jed* zer* 01/100"},
                      ShortRow{"largest", 999999999999.99,
                               " dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* dzi* 99/100"},
                      ShortRow{"negative", -123.45, "minus jed* dwa* trz* 45/100"},
                      ShortRow{"negative_rounds_to_zero", -0.001, " zer* 00/100"},
                      ShortRow{"too_large", 1e12, ""}, ShortRow{"negative_too_large", -1e15, ""},
                      ShortRow{"not_a_number", std::numeric_limits<double>::quiet_NaN(), ""},
                      ShortRow{"infinity", std::numeric_limits<double>::infinity(), ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace keldox
