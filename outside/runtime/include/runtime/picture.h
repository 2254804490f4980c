// Display pictures: how a value is shown in a field or a column, and how typed text is read back.
//
// A picture names a kind by its first letter (either case) and describes the field after it. The leading
// "@" and one closing "@" are optional, so "@n14_`4@", "@n14_`4", "n14_`2" and "N-16" are all pictures.
//
//   number    @n [~text~] [-] [_] width [_] [(. | `) places] [~text~]
//                "-"      the field is signed: typed text may carry a minus. A negative value shows its
//                         leading minus under every number picture, since hiding it would show another
//                         value.
//                "_"      no grouping; otherwise the integer digits are grouped by three with a blank
//                         (the Polish convention: 1 234 567,89).
//                width    every character shown: sign, digits, blanks of grouping, decimal separator and
//                         the texts between tildes (1..1000).
//                places   digits after a decimal point "." or, with the backquote "`", after a decimal comma.
//                ~text~   shown before (after the sign) or after the number, e.g. "@n-15`2~ zł~".
//              The value is rounded half away from zero to the places; the result is right-aligned in
//              the width. A value that does not fit, or a failed Decimal, fills the width with "#".
//   exponent  @e width [(. | `) places]       1.23e+04 (a decimal comma for "`"), right-aligned, "#" when
//                                               it does not fit; the mantissa rounds half away from zero.
//   text      @s width                          the text cut to width characters and padded with blanks.
//   date      @d form [separator]               the value is a day number; day 0 shows as "".
//                 1 MM/dd/yy     2 MM/dd/yyyy   3 MMM dd, yyyy   4 MMMM dd, yyyy   5 dd/MM/yy
//                 6 dd/MM/yyyy   7 dd MMM yy    8 dd MMM yyyy    9 yy/MM/dd       10 yyyy/MM/dd
//                11 yyMMdd      12 yyyyMMdd    13 MM/yy         14 MM/yyyy       15 yy/MM
//                16 yyyy/MM     17 the short date of messages (dd.MM.yyyy unless configured)
//                18 the long date, "7 grudnia 2026"
//              MMM is the Polish three-letter month ("gru"), MMMM its name ("grudzień"). The separator
//              replaces "/": "." a point, "-" a hyphen, "_" a blank, "`" a comma.
//   time      @t form [separator]               the value is a clock value (hundredths since midnight).
//                 1 hh:mm   2 hhmm   3 hh:mmAM   4 hh:mm:ss   5 hhmmss   6 hh:mm:ssPM
//                 7 the short time (hh:mm)      8 the long time (hh:mm:ss)
//              The separator replaces ":" as for dates.
//   pattern   @p layout p                       each "#" takes a digit of the whole value (zero-filled);
//                                               every other character stands for itself: @p###-##-##p.
//
// A picture that does not follow this grammar is unknown: the value is shown plainly (a number as its
// decimal text, a text as it is) and, in debug builds only, the picture is reported once to stderr.
// A date or time value outside the calendar or the day is shown plainly as its number.
//
// Reading typed text is lenient where it cannot be misread: blanks around; grouping blanks; a decimal
// point or comma under any number picture; "zł"-style texts between tildes may be typed or left out;
// dates with any separators, month names or abbreviations in Polish, or all digits for the compact
// forms; two-digit years 00..49 as 20xx, 50..99 as 19xx; times with any separators, AM/PM for the
// 12-hour forms. Blank text reads as 0 (day 0, midnight, the empty text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/decimal.h"

namespace runtime {

enum class PictureKind : std::uint8_t { unknown, number, exponent, text, date, time, pattern };

PictureKind picture_kind(std::string_view picture);

enum class ReadStatus : std::uint8_t {
  ok,
  invalid,   // not a value of the picture's kind (a date that does not exist, letters in a number ...)
  overflow,  // a number that the picture's width cannot show
  negative,  // a minus typed into a number picture that is not signed
};

struct PictureRead {
  ReadStatus status = ReadStatus::ok;
  // Numbers, exponents and patterns: the value (with the picture's places); dates: the day number;
  // times: the clock value. 0 unless the status is ok.
  Decimal number;
  // Text pictures: the text as stored (cut to the width, no trailing blanks); otherwise what the field
  // shows for the value read. Empty unless the status is ok.
  std::string text;
  bool blank = false;  // the typed text was empty or blank

  bool ok() const { return status == ReadStatus::ok; }
};

std::string format_picture(std::string_view picture, const Decimal& value);
// A double converts by its shortest decimal text first (Decimal::from_double).
std::string format_picture(std::string_view picture, double value);
// Text pictures show the text; other pictures read it as a plain number first and show it as it is
// when it is none.
std::string format_picture(std::string_view picture, std::string_view text);

// Reads what a user typed into a field of the picture. An unknown picture keeps the text as typed and
// reads its number when it is one.
PictureRead read_picture(std::string_view picture, std::string_view typed);

}  // namespace runtime
