// Field texts by picture: what a field shows, what typed text stores, and the form taking typed text.
#include "dane/field_text.h"

#include <gtest/gtest.h>

#include "dane/form.h"
#include "dane/host.h"
#include "runtime/date.h"

namespace dane {
namespace {

const std::string kDecember7 = std::to_string(runtime::make_day(2026, 12, 7));

struct TypedRow {
  const char* name;
  const char* picture;
  const char* typed;
  std::optional<std::string> stored;
};

class TypedToStored : public ::testing::TestWithParam<TypedRow> {};

TEST_P(TypedToStored, ReadsByPicture) {
  EXPECT_EQ(field_value_from_typed(GetParam().picture, GetParam().typed), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedToStored,
    ::testing::Values(TypedRow{"valid_date", "@d17", "07.12.2026", kDecember7},
                      TypedRow{"date_with_other_separators", "@d17", "7-12-2026", kDecember7},
                      TypedRow{"empty_date", "@d17", "", std::string{}},
                      TypedRow{"blank_number", "@n-14.2", "   ", std::string{}},
                      TypedRow{"invalid_date", "@d17", "32.13.2020", std::nullopt},
                      TypedRow{"february_30", "@d6.", "30.02.2024", std::nullopt},
                      TypedRow{"number_with_blanks_and_comma", "@n-14`2", " 1 234,5 ", "1234.50"},
                      TypedRow{"comma_under_point_picture", "@n-14.2", "1234,5", "1234.50"},
                      TypedRow{"negative_signed", "@n-14.2", "-12.345", "-12.35"},
                      TypedRow{"minus_in_unsigned", "@n6", "-5", std::nullopt},
                      TypedRow{"too_wide", "@n4", "12345", std::nullopt},
                      TypedRow{"letters_in_number", "@n6", "12a", std::nullopt},
                      TypedRow{"text_cut_to_width", "@s3", "ABCD", "ABC"},
                      TypedRow{"text_trailing_blanks", "@s10", "ab  ", "ab"},
                      TypedRow{"time_of_day", "@t1", "12:30", "4500000"},
                      TypedRow{"no_picture_as_typed", "", " x ", " x "},
                      TypedRow{"unknown_picture_as_typed", "@q5", " 12 ", " 12 "}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShownRow {
  const char* name;
  const char* picture;
  std::string value;
  const char* shown;
};

class StoredToShown : public ::testing::TestWithParam<ShownRow> {};

TEST_P(StoredToShown, ShowsWithoutPadding) {
  EXPECT_EQ(field_shown_text(GetParam().picture, GetParam().value), GetParam().shown);
}

// What a field shows must read back into the same value, or a field the user merely passes would change.
TEST_P(StoredToShown, ShownTextReadsBack) {
  const ShownRow& row = GetParam();
  if (row.value.empty()) return;
  EXPECT_EQ(field_value_from_typed(row.picture, field_shown_text(row.picture, row.value)), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredToShown,
                         ::testing::Values(ShownRow{"date", "@d17", kDecember7, "07.12.2026"},
                                           ShownRow{"long_date", "@d18", kDecember7, "7 grudnia 2026"},
                                           ShownRow{"grouped_number", "@n-14.2", "1234.50", "1 234.50"},
                                           ShownRow{"decimal_comma", "@n-14`2", "-1234.50", "-1 234,50"},
                                           ShownRow{"empty_number", "@n-14.2", "", ""},
                                           ShownRow{"empty_date", "@d17", "", ""},
                                           ShownRow{"text", "@s5", "ab", "ab"},
                                           ShownRow{"text_leading_blank", "@s5", " ab", " ab"},
                                           ShownRow{"no_picture", "", "x  ", "x  "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalendarDateText, RoundTripsAndRefusesNonDates) {
  EXPECT_EQ(calendar_date_text(runtime::make_day(2026, 1, 5)), "05.01.2026");
  EXPECT_EQ(calendar_date_from_text("05.01.2026"), runtime::make_day(2026, 1, 5));
  EXPECT_EQ(calendar_date_from_text("31.04.2026"), std::nullopt);
  EXPECT_EQ(calendar_date_from_text(""), std::nullopt);
  EXPECT_EQ(calendar_date_from_text("jutro"), std::nullopt);
}

TEST(MaskedValue, HidesEveryCharacterAndTheLength) {
  EXPECT_EQ(masked_value("tajne"), "***");
  EXPECT_EQ(masked_value("x"), "***");
  EXPECT_EQ(masked_value(""), "");
}

// Answers boxes and keeps their texts.
class BoxLog : public HeadlessHost {
 public:
  std::vector<std::string> texts;
  int message(const MessageBox& box) override {
    texts.push_back(box.text);
    return box.default_answer;
  }
};

class DeliveryForm : public FormWindow {
 public:
  DeliveryForm() : FormWindow("Test_Dostawa") {
    add_field({"DATA", "Data dostawy", "@d17", kDecember7, true});
    add_field({"KWOTA", "Kwota", "@n-14`2", "1234.567", true});
    add_field({"NUMER", "Numer", "@n9", "7", false});
  }
};

class EnterText : public ::testing::Test {
 protected:
  void SetUp() override { install_host(&boxes); }
  void TearDown() override { install_host(nullptr); }
  BoxLog boxes;
  DeliveryForm form;
};

TEST_F(EnterText, StoresTheValueReadByThePicture) {
  EXPECT_EQ(form.enter_text("data", "1.2.2027"), FieldEntry::taken);
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2027, 2, 1)));
  EXPECT_EQ(form.shown_text("DATA"), "01.02.2027");
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(EnterText, UnreadableTextWarnsNamingTheFieldAndKeepsTheValue) {
  form.set_focus("KWOTA");
  EXPECT_EQ(form.enter_text("DATA", "32.13.2020"), FieldEntry::invalid);
  EXPECT_EQ(form.value("DATA"), kDecember7);
  EXPECT_EQ(form.focus(), "DATA");
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Niepoprawna wartość pola Data dostawy");
}

// The field shows 1 234,57 for 1234.567: passing through it must not round the stored value.
TEST_F(EnterText, TheShownTextKeepsAValueThePictureCannotShowExactly) {
  EXPECT_EQ(form.enter_text("KWOTA", form.shown_text("KWOTA")), FieldEntry::taken);
  EXPECT_EQ(form.value("KWOTA"), "1234.567");
  EXPECT_EQ(form.enter_text("KWOTA", "1 234,5"), FieldEntry::taken);
  EXPECT_EQ(form.value("KWOTA"), "1234.50");
}

TEST_F(EnterText, DisabledOrMissingFieldsRefuseWithoutAWarning) {
  EXPECT_EQ(form.enter_text("NUMER", "8"), FieldEntry::refused);
  EXPECT_EQ(form.enter_text("BRAK", "8"), FieldEntry::refused);
  form.set_read_only(true);
  EXPECT_EQ(form.enter_text("DATA", "1.2.2027"), FieldEntry::refused);
  EXPECT_EQ(form.value("NUMER"), "7");
  EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
}  // namespace dane
