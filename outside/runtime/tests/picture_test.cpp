// Tests of display pictures: each family formatted and read back, and unknown pictures.
#include "runtime/picture.h"

#include <gtest/gtest.h>

#include "runtime/clock.h"
#include "runtime/date.h"

namespace runtime {
namespace {

Decimal num(const char* text) {
  return Decimal::parse(text);
}

struct FormatRow {
  const char* name;
  const char* picture;
  const char* value;
  const char* expected;
};

class NumberPictureFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(NumberPictureFormat, ShowsRoundedAlignedGrouped) {
  const FormatRow& r = GetParam();
  EXPECT_EQ(format_picture(r.picture, num(r.value)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberPictureFormat,
    ::testing::Values(FormatRow{"grouped_point", "@n-9.2", "1234.5", " 1 234.50"},
                      FormatRow{"grouped_negative", "@n-9.2", "-1234.5", "-1 234.50"},
                      FormatRow{"too_wide_with_sign", "@n-9.2", "-12345.678", "#########"},
                      FormatRow{"integer", "@n4", "123", " 123"},
                      FormatRow{"grouping_does_not_fit", "@n4", "1234", "####"},
                      FormatRow{"exactly_fits", "@n6", "12345", "12 345"},
                      FormatRow{"grouping_fits", "@n7", "123456", "123 456"},
                      FormatRow{"no_grouping_leading_underscore", "@n_8", "1234567", " 1234567"},
                      FormatRow{"unsigned_picture_keeps_minus", "@n14_", "-5", "            -5"},
                      FormatRow{"integer_rounds_half_away", "@n-14_", "-1234567.5", "      -1234568"},
                      FormatRow{"four_places_comma", "@n14_`4", "1234.56785", "     1234,5679"},
                      FormatRow{"closing_at", "@n14_`4@", "1234.56785", "     1234,5679"},
                      FormatRow{"negative_half_cent", "@n-16_`2", "-0.005", "           -0,01"},
                      FormatRow{"negative_rounding_to_zero", "@n-16_`2", "-0.004", "            0,00"},
                      FormatRow{"fifteen_two", "@n-15.2", "1234567.125", "   1 234 567.13"},
                      FormatRow{"suffix_text", "@n15`2~ zł~", "1234.5", "    1 234,50 zł"},
                      FormatRow{"prefix_text", "@n~$~-10.2", "-5", "    -$5.00"},
                      FormatRow{"without_at_upper_case", "N-16", "-1234.5", "          -1 235"},
                      FormatRow{"stored_integer_picture", "n_8", "42", "      42"},
                      FormatRow{"stored_decimal_picture", "n14_`2", "1234.5", "       1234,50"},
                      FormatRow{"rounding_adds_digit", "@n3", "999.5", "###"},
                      FormatRow{"millions_grouped", "@n-14", "-1000000", "    -1 000 000"}),
    [](const auto& info) { return info.param.name; });

TEST(NumberPictureFormat, FailedAndDoubleValues) {
  EXPECT_EQ(format_picture("@n-9.2", Decimal::failed(DecimalStatus::overflow)), "#########");
  EXPECT_EQ(format_picture("@n-9.2", 2.345), "     2.35");
  EXPECT_EQ(format_picture("@n-9.2", -2.345), "    -2.35");
  EXPECT_EQ(format_picture("@n5", std::numeric_limits<double>::quiet_NaN()), "#####");
  EXPECT_EQ(format_picture("@n-9.2", std::string_view("12,5")), "    12.50");
  EXPECT_EQ(format_picture("@n-9.2", std::string_view("abc")), "abc");
}

struct ReadRow {
  const char* name;
  const char* picture;
  const char* typed;
  ReadStatus status;
  const char* expected;  // the number read, when the status is ok
};

class NumberPictureRead : public ::testing::TestWithParam<ReadRow> {};

TEST_P(NumberPictureRead, ReadsTypedNumber) {
  const ReadRow& r = GetParam();
  const PictureRead read = read_picture(r.picture, r.typed);
  ASSERT_EQ(read.status, r.status);
  if (read.ok()) {
    EXPECT_EQ(read.number.to_text(), r.expected);
  } else {
    EXPECT_TRUE(read.number.is_zero());
    EXPECT_EQ(read.text, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberPictureRead,
    ::testing::Values(ReadRow{"grouped_with_comma", "@n-9.2", " 1 234,5 ", ReadStatus::ok, "1234.50"},
                      ReadRow{"point_in_comma_picture", "@n14_`2", "1234.5", ReadStatus::ok, "1234.50"},
                      ReadRow{"too_many_places_round", "@n-9.2", "1234.565", ReadStatus::ok, "1234.57"},
                      ReadRow{"negative_half", "@n-9.2", "-0,005", ReadStatus::ok, "-0.01"},
                      ReadRow{"explicit_plus", "@n14_`4", "+3,14159", ReadStatus::ok, "3.1416"},
                      ReadRow{"minus_then_blank", "@n-9.2", "- 5", ReadStatus::ok, "-5.00"},
                      ReadRow{"minus_in_unsigned", "@n9.2", "-5", ReadStatus::negative, ""},
                      ReadRow{"minus_zero_in_unsigned", "@n9.2", "-0", ReadStatus::ok, "0.00"},
                      ReadRow{"wider_than_field", "@n-9.2", "12345678", ReadStatus::overflow, ""},
                      ReadRow{"fits_without_grouping", "@n_8", "12345678", ReadStatus::ok, "12345678"},
                      ReadRow{"huge", "@n_8", "1234567890123456789012", ReadStatus::overflow, ""},
                      ReadRow{"point_and_comma", "@n-9.2", "1,234.5", ReadStatus::invalid, ""},
                      ReadRow{"letters", "@n-9.2", "12a", ReadStatus::invalid, ""},
                      ReadRow{"sign_only", "@n-9.2", "-", ReadStatus::invalid, ""},
                      ReadRow{"double_sign", "@n-9.2", "--5", ReadStatus::invalid, ""},
                      ReadRow{"double_blank", "@n-9.2", "1  234", ReadStatus::invalid, ""},
                      ReadRow{"blank_before_point", "@n-9.2", "1 ,5", ReadStatus::invalid, ""},
                      ReadRow{"no_break_space", "@n_8",
                              "1\xC2\xA0"
                              "234",
                              ReadStatus::ok, "1234"},
                      ReadRow{"suffix_typed", "@n15`2~ zł~", "1 234,50 zł", ReadStatus::ok, "1234.50"},
                      ReadRow{"suffix_left_out", "@n15`2~ zł~", "1234,5", ReadStatus::ok, "1234.50"},
                      ReadRow{"prefix_after_sign", "@n~$~-10.2", "-$5", ReadStatus::ok, "-5.00"},
                      ReadRow{"sign_after_prefix", "@n~$~-10.2", "$ -5", ReadStatus::ok, "-5.00"},
                      ReadRow{"sign_on_both_sides", "@n~$~-10.2", "-$-5", ReadStatus::invalid, ""}),
    [](const auto& info) { return info.param.name; });

TEST(NumberPictureRead, BlankIsZero) {
  const PictureRead r = read_picture("@n-9.2", "   ");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.blank);
  EXPECT_EQ(r.number.to_text(), "0.00");
  EXPECT_EQ(r.text, "     0.00");
}

TEST(NumberPictureRead, RoundTripsWhatItShows) {
  const char* pictures[] = {"@n-9.2",  "@n-14_",      "@n14_`4",   "@n-16_`2",
                            "@n-15.2", "@n15`2~ zł~", "@n~$~-12.3"};
  const char* values[] = {"0", "-0.01", "1234.5", "-9999.99", "42", "10000"};
  for (const char* p : pictures) {
    for (const char* v : values) {
      const std::string shown = format_picture(p, num(v));
      const PictureRead back = read_picture(p, shown);
      if (num(v).sign() < 0 && std::string_view(p).find('-') == std::string_view::npos) {
        // An unsigned picture shows a negative value but refuses a typed minus.
        EXPECT_EQ(back.status, ReadStatus::negative) << p;
        continue;
      }
      ASSERT_TRUE(back.ok()) << p << " " << shown;
      EXPECT_EQ(back.text, shown) << p;
      EXPECT_EQ(format_picture(p, back.number), shown) << p;
    }
  }
}

TEST(TextPicture, CutsPadsAndReads) {
  EXPECT_EQ(format_picture("@s30", std::string_view("Zażółć")), "Zażółć                        ");
  EXPECT_EQ(format_picture("@s5", "Zażółć gęślą"), "Zażół");
  EXPECT_EQ(format_picture("s100", std::string_view("")), std::string(100, ' '));
  EXPECT_EQ(format_picture("@S4", num("12.5")), "12.5");
  const PictureRead r = read_picture("@s5", "Łódź Kaliska ");
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.text, "Łódź");
  EXPECT_TRUE(read_picture("@s5", "   ").blank);
}

struct DateRow {
  const char* name;
  const char* picture;
  DayNumber day;
  const char* expected;
};

class DatePictureFormat : public ::testing::TestWithParam<DateRow> {
 protected:
  void SetUp() override { set_short_date_format(""); }
};

const DayNumber kSample = make_day(2026, 12, 7);

TEST_P(DatePictureFormat, ShowsDayNumber) {
  const DateRow& r = GetParam();
  EXPECT_EQ(format_picture(r.picture, Decimal::whole(r.day)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DatePictureFormat,
    ::testing::Values(
        DateRow{"d6", "@d6", kSample, "07/12/2026"}, DateRow{"d6_point", "@d6.", kSample, "07.12.2026"},
        DateRow{"d11", "@d11", kSample, "261207"}, DateRow{"d12", "@d12", kSample, "20261207"},
        DateRow{"d17_short", "@d17", kSample, "07.12.2026"},
        DateRow{"d17_upper_no_at", "D17", kSample, "07.12.2026"}, DateRow{"d1", "@d1", kSample, "12/07/26"},
        DateRow{"d2_hyphen", "@d2-", kSample, "12-07-2026"}, DateRow{"d3", "@d3", kSample, "gru 07, 2026"},
        DateRow{"d4", "@d4", make_day(2026, 10, 5), "październik 05, 2026"},
        DateRow{"d5_blank", "@d5_", kSample, "07 12 26"}, DateRow{"d8", "@d8", kSample, "07 gru 2026"},
        DateRow{"d10_comma", "@d10`", kSample, "2026,12,07"}, DateRow{"d14", "@d14", kSample, "12/2026"},
        DateRow{"d18_long", "@d18", kSample, "7 grudnia 2026"}, DateRow{"day_one", "@d12", 1, "18001229"},
        DateRow{"day_1900", "@d12", kDay1900, "19000101"}, DateRow{"open_end", "@d12", kOpenEnd, "99991231"},
        DateRow{"day_zero_blank", "@d6", 0, ""},
        DateRow{"past_open_end_plain", "@d6", kOpenEnd + 1, "2994627"},
        DateRow{"negative_plain", "@d6", -1, "-1"}),
    [](const auto& info) { return info.param.name; });

TEST_F(DatePictureFormat, ConfiguredShortDateAndFractions) {
  set_short_date_format("yyyy-MM-dd");
  EXPECT_EQ(format_picture("@d17", Decimal::whole(kSample)), "2026-12-07");
  EXPECT_EQ(read_picture("@d17", "2026-12-07").number, Decimal::whole(kSample));
  set_short_date_format("");
  EXPECT_EQ(format_picture("@d6", num("1.5")), "1.5");
  EXPECT_EQ(format_picture("@d6", std::string_view(std::to_string(kSample))), "07/12/2026");
}

struct DateReadRow {
  const char* name;
  const char* picture;
  const char* typed;
  DayNumber expected;  // 0 with ReadStatus::invalid for a refused text
  ReadStatus status;
};

class DatePictureRead : public ::testing::TestWithParam<DateReadRow> {
 protected:
  void SetUp() override { set_short_date_format(""); }
};

TEST_P(DatePictureRead, ReadsTypedDate) {
  const DateReadRow& r = GetParam();
  const PictureRead read = read_picture(r.picture, r.typed);
  ASSERT_EQ(read.status, r.status);
  EXPECT_EQ(read.number, Decimal::whole(r.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DatePictureRead,
    ::testing::Values(
        DateReadRow{"d6", "@d6", "07/12/2026", kSample, ReadStatus::ok},
        DateReadRow{"d6_other_separator", "@d6", " 7.12.2026 ", kSample, ReadStatus::ok},
        DateReadRow{"d6_compact", "@d6", "07122026", kSample, ReadStatus::ok},
        DateReadRow{"d6_two_digit_year", "@d6", "7/12/26", kSample, ReadStatus::ok},
        DateReadRow{"d6_last_century", "@d6", "7/12/51", make_day(1951, 12, 7), ReadStatus::ok},
        DateReadRow{"leap_day", "@d6", "29/02/2024", make_day(2024, 2, 29), ReadStatus::ok},
        DateReadRow{"no_leap_day", "@d6", "29/02/2023", 0, ReadStatus::invalid},
        DateReadRow{"february_31", "@d6", "31/02/2026", 0, ReadStatus::invalid},
        DateReadRow{"month_13", "@d6", "07/13/2026", 0, ReadStatus::invalid},
        DateReadRow{"day_zero", "@d6", "00/12/2026", 0, ReadStatus::invalid},
        DateReadRow{"missing_year", "@d6", "7/12", 0, ReadStatus::invalid},
        DateReadRow{"letters", "@d6", "abc", 0, ReadStatus::invalid},
        DateReadRow{"five_digit_year", "@d10", "10000/01/01", 0, ReadStatus::invalid},
        DateReadRow{"blank", "@d6", "  ", 0, ReadStatus::ok},
        DateReadRow{"d11", "@d11", "261207", kSample, ReadStatus::ok},
        DateReadRow{"d11_last_century", "@d11", "991231", make_day(1999, 12, 31), ReadStatus::ok},
        DateReadRow{"d12", "@d12", "20261207", kSample, ReadStatus::ok},
        DateReadRow{"d12_short", "@d12", "2026127", 0, ReadStatus::invalid},
        DateReadRow{"d17", "@d17", "07.12.2026", kSample, ReadStatus::ok},
        DateReadRow{"d17_loose", "@d17", "7.12.26", kSample, ReadStatus::ok},
        DateReadRow{"d8_short_month", "@d8", "7 gru 2026", kSample, ReadStatus::ok},
        DateReadRow{"d8_month_of_upper", "@d8", "7 GRUDNIA 2026", kSample, ReadStatus::ok},
        DateReadRow{"d18", "@d18", "7 grudnia 2026", kSample, ReadStatus::ok},
        DateReadRow{"d4_polish_letters", "@d4", "Październik 5, 2026", make_day(2026, 10, 5), ReadStatus::ok},
        DateReadRow{"unknown_month_word", "@d3", "xyz 07, 2026", 0, ReadStatus::invalid},
        DateReadRow{"d14_month_only", "@d14", "12/2026", make_day(2026, 12, 1), ReadStatus::ok},
        DateReadRow{"open_end", "@d12", "99991231", kOpenEnd, ReadStatus::ok}),
    [](const auto& info) { return info.param.name; });

struct TimeRow {
  const char* name;
  const char* picture;
  ClockValue clock;
  const char* expected;
};

const ClockValue kAfternoon = make_clock(14, 5, 9, 50);

class TimePictureFormat : public ::testing::TestWithParam<TimeRow> {};

TEST_P(TimePictureFormat, ShowsClock) {
  const TimeRow& r = GetParam();
  EXPECT_EQ(format_picture(r.picture, Decimal::whole(r.clock)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TimePictureFormat,
                         ::testing::Values(TimeRow{"t1", "@t1", kAfternoon, "14:05"},
                                           TimeRow{"t2", "@t2", kAfternoon, "1405"},
                                           TimeRow{"t3", "@t3", kAfternoon, "02:05PM"},
                                           TimeRow{"t4", "@t4", kAfternoon, "14:05:09"},
                                           TimeRow{"t5", "@t5", kAfternoon, "140509"},
                                           TimeRow{"t6", "@t6", kAfternoon, "02:05:09PM"},
                                           TimeRow{"t7_short", "@t7", kAfternoon, "14:05"},
                                           TimeRow{"t8_long", "@T8", kAfternoon, "14:05:09"},
                                           TimeRow{"t4_point", "@t4.", kAfternoon, "14.05.09"},
                                           TimeRow{"midnight_12h", "@t3", 0, "12:00AM"},
                                           TimeRow{"noon_12h", "@t3", make_clock(12, 0, 0), "12:00PM"},
                                           TimeRow{"last_hundredth", "@t4", kClockPerDay - 1, "23:59:59"},
                                           TimeRow{"past_day_plain", "@t4", kClockPerDay, "8640000"}),
                         [](const auto& info) { return info.param.name; });

struct TimeReadRow {
  const char* name;
  const char* picture;
  const char* typed;
  ClockValue expected;
  ReadStatus status;
};

class TimePictureRead : public ::testing::TestWithParam<TimeReadRow> {};

TEST_P(TimePictureRead, ReadsTypedTime) {
  const TimeReadRow& r = GetParam();
  const PictureRead read = read_picture(r.picture, r.typed);
  ASSERT_EQ(read.status, r.status);
  EXPECT_EQ(read.number, Decimal::whole(r.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TimePictureRead,
    ::testing::Values(TimeReadRow{"t7", "@t7", "14:05", make_clock(14, 5, 0), ReadStatus::ok},
                      TimeReadRow{"t7_compact", "@t7", "1405", make_clock(14, 5, 0), ReadStatus::ok},
                      TimeReadRow{"hour_only", "@t7", " 9 ", make_clock(9, 0, 0), ReadStatus::ok},
                      TimeReadRow{"t4", "@t4", "14:05:09", make_clock(14, 5, 9), ReadStatus::ok},
                      TimeReadRow{"t5_compact", "@t5", "140509", make_clock(14, 5, 9), ReadStatus::ok},
                      TimeReadRow{"hundredths", "@t4", "14:05:09,50", kAfternoon, ReadStatus::ok},
                      TimeReadRow{"tenths", "@t4", "14:05:09.5", kAfternoon, ReadStatus::ok},
                      TimeReadRow{"pm", "@t3", "2:05 pm", make_clock(14, 5, 0), ReadStatus::ok},
                      TimeReadRow{"twelve_am", "@t3", "12:00AM", 0, ReadStatus::ok},
                      TimeReadRow{"twelve_pm", "@t6", "12:30:00PM", make_clock(12, 30, 0), ReadStatus::ok},
                      TimeReadRow{"thirteen_pm", "@t3", "13:00PM", 0, ReadStatus::invalid},
                      TimeReadRow{"hour_24", "@t4", "24:00", 0, ReadStatus::invalid},
                      TimeReadRow{"minute_60", "@t4", "12:60", 0, ReadStatus::invalid},
                      TimeReadRow{"five_digits", "@t5", "14050", 0, ReadStatus::invalid},
                      TimeReadRow{"letters", "@t7", "ab", 0, ReadStatus::invalid},
                      TimeReadRow{"three_digit_group", "@t7", "1:005", 0, ReadStatus::invalid},
                      TimeReadRow{"blank_is_midnight", "@t7", "", 0, ReadStatus::ok}),
    [](const auto& info) { return info.param.name; });

TEST(PatternPicture, FillsDigitSlots) {
  EXPECT_EQ(format_picture("@p###-###-##-##p", num("1234567890")), "123-456-78-90");
  EXPECT_EQ(format_picture("@p###-###-##-##p", num("12")), "000-000-00-12");
  EXPECT_EQ(format_picture("@p###-###-##-##p", num("12345678901")), "#############");
  EXPECT_EQ(format_picture("@p###-###-##-##p", num("-1")), "#############");
  EXPECT_EQ(read_picture("@p###-###-##-##p", "123-456-78-90").number, num("1234567890"));
  EXPECT_EQ(read_picture("@p###-###-##-##p", "1234567890").number, num("1234567890"));
  EXPECT_EQ(read_picture("@p###-###-##-##p", "123").status, ReadStatus::invalid);
  EXPECT_EQ(read_picture("@p###-###-##-##p", "12a-456-78-90").status, ReadStatus::invalid);
}

TEST(ExponentPicture, ShowsMantissaAndExponent) {
  EXPECT_EQ(format_picture("@e12.2", num("12345")), "    1.23e+04");
  EXPECT_EQ(format_picture("@e12`3", num("12345")), "   1,235e+04");
  EXPECT_EQ(format_picture("@e5.2", num("12345")), "#####");
  EXPECT_EQ(format_picture("@e10.2", num("-0.0009995")), " -1.00e-03");
  EXPECT_EQ(format_picture("@e10.2", num("9.995")), "  1.00e+01");
  EXPECT_EQ(format_picture("@e10.1", num("0")), "   0.0e+00");
  EXPECT_EQ(read_picture("@e12.2", "1,5e3").number, num("1500"));
  EXPECT_EQ(read_picture("@e12.2", "1e999").status, ReadStatus::overflow);
  EXPECT_EQ(read_picture("@e12.2", "e3").status, ReadStatus::invalid);
}

struct KindRow {
  const char* name;
  const char* picture;
  PictureKind kind;
};

class PictureKinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(PictureKinds, Classify) {
  EXPECT_EQ(picture_kind(GetParam().picture), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureKinds,
    ::testing::Values(
        KindRow{"number", "@n-14_@", PictureKind::number},
        KindRow{"quantity_four_places", "@n-16_`4@", PictureKind::number},
        KindRow{"stored_integer", "n_8", PictureKind::number},
        KindRow{"stored_amount", "n14_`2", PictureKind::number},
        KindRow{"export_number", "N-16", PictureKind::number},
        KindRow{"stored_text", "s100", PictureKind::text}, KindRow{"stored_date", "d17", PictureKind::date},
        KindRow{"file_name_date", "d12", PictureKind::date},
        KindRow{"exponent", "@E12.3", PictureKind::exponent}, KindRow{"text", "@S30", PictureKind::text},
        KindRow{"date", "d17", PictureKind::date}, KindRow{"time", "@t7", PictureKind::time},
        KindRow{"pattern", "@p##-###p", PictureKind::pattern}, KindRow{"empty", "", PictureKind::unknown},
        KindRow{"at_only", "@", PictureKind::unknown},
        KindRow{"unknown_letter", "@x12", PictureKind::unknown},
        KindRow{"number_without_width", "@n", PictureKind::unknown},
        KindRow{"number_width_zero", "@n0", PictureKind::unknown},
        KindRow{"number_too_wide", "@n99999", PictureKind::unknown},
        KindRow{"number_trailing_junk", "@n14.2junk", PictureKind::unknown},
        KindRow{"open_tilde", "@n~zł", PictureKind::unknown},
        KindRow{"date_form_19", "@d19", PictureKind::unknown},
        KindRow{"date_form_0", "@d0", PictureKind::unknown},
        KindRow{"date_bad_separator", "@d6x", PictureKind::unknown},
        KindRow{"time_form_9", "@t9", PictureKind::unknown},
        KindRow{"text_without_width", "@s", PictureKind::unknown},
        KindRow{"pattern_unclosed", "@p###", PictureKind::unknown}),
    [](const auto& info) { return info.param.name; });

TEST(UnknownPicture, ShowsAndReadsPlainly) {
  EXPECT_EQ(format_picture("@x12", num("-12.50")), "-12.50");
  EXPECT_EQ(format_picture("@n14.2junk", 2.5), "2.5");
  EXPECT_EQ(format_picture("", std::string_view("Łódź")), "Łódź");
  const PictureRead r = read_picture("@q", " 12,5 ");
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.text, " 12,5 ");
  EXPECT_EQ(r.number, num("12.5"));
}

TEST(UnknownPicture, ReportedOnceInDebugBuildsOnly) {
  ::testing::internal::CaptureStderr();
  format_picture("@zz-once", num("1"));
  format_picture("@zz-once", std::string_view("x"));
  read_picture("@zz-once", "2");
  const std::string err = ::testing::internal::GetCapturedStderr();
  std::size_t count = 0;
  for (std::size_t at = err.find("@zz-once"); at != std::string::npos; at = err.find("@zz-once", at + 1))
    ++count;
#ifdef NDEBUG
  EXPECT_EQ(count, 0u);
#else
  EXPECT_EQ(count, 1u);
#endif
}

}  // namespace
}  // namespace runtime
