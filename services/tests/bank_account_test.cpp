// Check digits, conversion and validation of bank account numbers, with the warnings they show.
#include <gtest/gtest.h>

#include "keldox/identifiers.h"
#include "keldox/messages.h"
#include "tests/message_recorder.h"
#include "tests/named_rows.h"

namespace keldox {
namespace {

constexpr const char* alphabetic = "W numerze rachunku nie może być znaków alfabetycznych!";
constexpr const char* not_26 = "W numerze rachunku musi być 26 znaków numerycznych!";
constexpr const char* wrong = "Numer rachunku nie jest poprawny!";
constexpr const char* not_converted =
    "Numer rachunku niezgodny z formatem IBAN.|Numer nie został skonwertowany!";

struct CheckRow {
  const char* name;
  const char* digits24;
  const char* check;
};

class CheckDigits : public ::testing::TestWithParam<CheckRow> {};

TEST_P(CheckDigits, AreTwoCharacters) {
  EXPECT_EQ(IBAN_OBLICZSUMEKONTROLNA(GetParam().digits24), GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(Accounts, CheckDigits,
                         ::testing::Values(CheckRow{"real_account", "109010140000071219812874", "61"},
                                           CheckRow{"another_bank", "102010260000042270201111", "60"},
                                           CheckRow{"lowest_check_value", "954555016440874075679883", "02"},
                                           CheckRow{"highest_check_value", "446962913702858733577365", "98"},
                                           CheckRow{"all_zero", "000000000000000000000000", "04"},
                                           CheckRow{"short_text_reads_blank_pieces_as_zero", "", "04"},
                                           CheckRow{"letters_in_a_piece_read_as_zero",
                                                    "ABCDEFGH0000000000000000", "04"}),
                         [](const auto& info) { return info.param.name; });

struct AccountRow {
  const char* name;
  const char* number;
  std::uint8_t valid;
  const char* warning;  // nullptr: no box
};

class AccountNumber : public ::testing::TestWithParam<AccountRow> {};

TEST_P(AccountNumber, AnswersAndExplains) {
  testing::MessageRecorder boxes;
  EXPECT_EQ(IBAN_CZYPOPRAWNY(GetParam().number), GetParam().valid);
  if (GetParam().warning == nullptr) {
    EXPECT_TRUE(boxes.shown.empty());
  } else {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, testing::MessageKind::warning);
    EXPECT_EQ(boxes.shown[0].title, "MIRLET: Ostrzeżenie");
    EXPECT_EQ(boxes.shown[0].text, GetParam().warning);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, AccountNumber,
    ::testing::Values(AccountRow{"bare_digits", "61109010140000071219812874", 1, nullptr},
                      AccountRow{"in_groups", "61 1090 1014 0000 0712 1981 2874", 1, nullptr},
                      AccountRow{"leading_and_trailing_blanks", "  61 1090 1014 0000 0712 1981 2874  ", 1,
                                 nullptr},
                      AccountRow{"wrong_check", "62 1090 1014 0000 0712 1981 2874", 0, wrong},
                      AccountRow{"swapped_digits", "61 1090 1014 0000 0712 1981 2847", 0, wrong},
                      AccountRow{"country_letters", "PL61109010140000071219812874", 0, alphabetic},
                      AccountRow{"dashes", "61-1090-1014-0000-0712-1981-2874", 0, alphabetic},
                      AccountRow{"polish_letter", "61109010140000071219812874ą", 0, alphabetic},
                      AccountRow{"digits_25", "6110901014000007121981287", 0, not_26},
                      AccountRow{"digits_27", "611090101400000712198128740", 0, not_26},
                      AccountRow{"empty", "", 0, not_26}),
    [](const auto& info) { return info.param.name; });

struct ConversionRow {
  const char* name;
  const char* old_number;
  const char* converted;  // empty: refused with the warning
};

class OldAccountNumber : public ::testing::TestWithParam<ConversionRow> {};

TEST_P(OldAccountNumber, ConvertsOrWarns) {
  testing::MessageRecorder boxes;
  const std::string converted = IBAN_KONWERSJA(GetParam().old_number);
  EXPECT_EQ(converted, GetParam().converted);
  if (converted.empty()) {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "MIRLET: Ostrzeżenie");
    EXPECT_EQ(boxes.shown[0].text, not_converted);
  } else {
    EXPECT_EQ(IBAN_CZYPOPRAWNY(converted), 1);
    EXPECT_TRUE(boxes.shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, OldAccountNumber,
    ::testing::Values(
        ConversionRow{"bare", "109010140000071219812874", "61109010140000071219812874"},
        ConversionRow{"with_separators", "10901014-0000-0712-1981-2874", "61109010140000071219812874"},
        ConversionRow{"digits_23", "10901014000007121981287", ""},
        ConversionRow{"digits_25", "1090101400000712198128745", ""},
        ConversionRow{"many_digits", "1234567890123456789012345678901234567890123456789012345", ""},
        ConversionRow{"empty", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(ValidationWarning, ShowsTheMessageInTheWarningBox) {
  testing::MessageRecorder boxes;
  WALIDACJA("Nieprawidłowy NIP|Sprawdź dane");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, testing::MessageKind::warning);
  EXPECT_EQ(boxes.shown[0].title, "MIRLET: Ostrzeżenie");
  EXPECT_EQ(boxes.shown[0].text, "Nieprawidłowy NIP|Sprawdź dane");
}

TEST(ValidationWarning, WithoutAWindowHostItStillReturns) {
  dane::install_host(nullptr);
  WALIDACJA("nikt tego nie zobaczy");
  EXPECT_EQ(IBAN_CZYPOPRAWNY("PL"), 0);
}

}  // namespace
}  // namespace keldox
