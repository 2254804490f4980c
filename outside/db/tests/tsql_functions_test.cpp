// The PLCI collation and the SQL functions, called directly on an in-memory SQLite.
#include <gtest/gtest.h>

#include <string>

#include "tsql_test_support.h"

namespace db::tsql {
namespace {

using testing::MemoryDb;

std::string one(MemoryDb& db, const std::string& expression) {
  const auto rows = db.query("SELECT " + expression);
  return rows.empty() ? "<no row>" : rows[0][0];
}

std::string error_of(MemoryDb& db, const std::string& expression) {
  sqlite3_stmt* st = nullptr;
  const std::string sql = "SELECT " + expression;
  std::string message;
  if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
    return sqlite3_errmsg(db.handle());
  const int rc = sqlite3_step(st);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) message = sqlite3_errmsg(db.handle());
  sqlite3_finalize(st);
  return message;
}

struct Case {
  const char* name;
  const char* expression;
  const char* expected;
};

std::string case_name(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

class Evaluates : public ::testing::TestWithParam<Case> {};

TEST_P(Evaluates, ToExpectedText) {
  MemoryDb db;
  EXPECT_EQ(one(db, GetParam().expression), GetParam().expected) << GetParam().expression;
}

#define FUNCTION_GROUP(group, ...) \
  INSTANTIATE_TEST_SUITE_P(group, Evaluates, ::testing::ValuesIn(std::vector<Case>{__VA_ARGS__}), case_name)

FUNCTION_GROUP(Collation, Case{"CaseIgnored", "'abc' = 'ABC' COLLATE PLCI", "1"},
               Case{"PolishLettersFolded", "'zażółć gęślą jaźń' = 'ZAŻÓŁĆ GĘŚLĄ JAŹŃ' COLLATE PLCI", "1"},
               Case{"TrailingBlanksIgnored", "'abc' = 'ABC   ' COLLATE PLCI", "1"},
               Case{"LeadingBlanksCount", "' abc' = 'abc' COLLATE PLCI", "0"},
               Case{"AccentsCount", "'a' = 'ą' COLLATE PLCI", "0"},
               Case{"AccentedAfterBase", "'ą' > 'a' COLLATE PLCI AND 'ą' < 'b' COLLATE PLCI", "1"},
               Case{"ZAcuteBeforeZDot", "'ź' < 'ż' COLLATE PLCI AND 'z' < 'ź' COLLATE PLCI", "1"},
               Case{"LStrokeAfterL", "'łza' > 'lza' COLLATE PLCI AND 'łza' < 'mza' COLLATE PLCI", "1"},
               Case{"CzechLettersFolded", "'ŘÍČ' = 'říč' COLLATE PLCI", "1"},
               Case{"PrefixSortsFirst", "'ab' < 'abc' COLLATE PLCI", "1"},
               Case{"DigitsBeforeLetters", "'9' < 'a' COLLATE PLCI", "1"});

FUNCTION_GROUP(UpperLowerLike, Case{"UpperPolish", "upper('zażółć gęślą jaźń')", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"},
               Case{"LowerPolish", "lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ')", "zażółć gęślą jaźń"},
               Case{"UpperNull", "upper(NULL) IS NULL", "1"},
               Case{"LikeFoldsPolish", "'Łódź' LIKE 'ŁÓDŹ'", "1"},
               Case{"LikePrefixUpperCased", "'Kowalska' LIKE 'KOWAL%'", "1"},
               Case{"LikeInfix", "'Nowakowski' LIKE '%kow%'", "1"},
               Case{"LikeAccentSensitive", "'Łodz' LIKE 'Łódź'", "0"},
               Case{"LikeUnderscore", "'ab' LIKE 'a_' AND 'abc' NOT LIKE 'a_'", "1"},
               Case{"LikeTrailingBlanks", "'abc   ' LIKE 'abc'", "1"},
               Case{"LikeClass", "'b1' LIKE '[a-c]_' AND 'd1' NOT LIKE '[a-c]_'", "1"},
               Case{"LikeNegatedClass", "'x' LIKE '[^ab]' AND 'a' NOT LIKE '[^ab]'", "1"},
               Case{"LikeUnclosedBracketIsLiteral", "'[a' LIKE '[a'", "1"},
               Case{"LikeEscape", "'10%' LIKE '10!%' ESCAPE '!' AND '100' NOT LIKE '10!%' ESCAPE '!'", "1"},
               Case{"LikeBacktracksToLastPercent", "'abcabcabd' LIKE '%abd' AND 'aXbXc' LIKE 'a%b%c'", "1"},
               Case{"LikeNull", "'a' LIKE NULL IS NULL", "1"});

FUNCTION_GROUP(
    Dates, Case{"DayNumberOf2020", "tsql_datetime(80000 - 36163)", "2020-01-09 00:00:00"},
    Case{"FirstDayOf1900", "tsql_datetime(0)", "1900-01-01 00:00:00"},
    Case{"FractionIsTime", "tsql_datetime(0.5)", "1900-01-01 12:00:00"},
    Case{"NegativeDays", "tsql_datetime(-1)", "1899-12-31 00:00:00"},
    Case{"OpenEndDay", "tsql_datetime(2994626 - 36163)", "9999-12-31 00:00:00"},
    Case{"IsoText", "tsql_datetime('2020-01-09 13:45:01.250')", "2020-01-09 13:45:01.250"},
    Case{"CompactText", "tsql_datetime('20200109')", "2020-01-09 00:00:00"},
    Case{"DayFirstStyle104", "tsql_datetime('09.01.2020', 104)", "2020-01-09 00:00:00"},
    Case{"DateOnly", "tsql_date('2020-01-09 13:45:01')", "2020-01-09"},
    Case{"Style120", "tsql_to_text('2020-01-09 13:45:01.250', 120, 30)", "2020-01-09 13:45:01"},
    Case{"Style121", "tsql_to_text('2020-01-09 13:45:01', 121, 30)", "2020-01-09 13:45:01.000"},
    Case{"Style104", "tsql_to_text('2020-01-09 13:45:01', 104, 10)", "09.01.2020"},
    Case{"Style112", "tsql_to_text('2020-01-09', 112, 8)", "20200109"},
    Case{"TextCutToLength", "tsql_to_text('2020-01-09 13:45:01', 120, 10)", "2020-01-09"},
    Case{"NonDateKeptWithStyle", "tsql_to_text('abc', 120, 30)", "abc"},
    Case{"NumberToText", "tsql_to_text(12345, 0, 3)", "123"},
    Case{"NullStaysNull", "tsql_to_text(NULL, 120, 30) IS NULL AND tsql_datetime(NULL) IS NULL", "1"},
    Case{"Year", "tsql_datepart('year', '2020-01-09')", "2020"},
    Case{"WeekdayMondayFirst", "tsql_datepart('weekday', '2020-01-06')", "1"},
    Case{"DayOfYear", "tsql_datepart('dy', '2020-03-01')", "61"},
    Case{"DiffCountsBoundaries", "tsql_datediff('year', '2019-12-31 23:59:59', '2020-01-01')", "1"},
    Case{"DiffDays", "tsql_datediff('dd', '2020-01-09', '2020-03-01')", "52"},
    Case{"DiffMonthsBackwards", "tsql_datediff('month', '2020-03-31', '2020-01-01')", "-2"},
    Case{"AddMonthClampsDay", "tsql_dateadd('month', 1, '2020-01-31')", "2020-02-29 00:00:00"},
    Case{"AddHours", "tsql_dateadd('hh', 25, '2020-01-09 00:30:00')", "2020-01-10 01:30:00"},
    Case{"DayNumbersAsDates", "tsql_dateadd('day', -1, 43839)", "2020-01-10 00:00:00"},
    Case{"MonthName", "tsql_datename('month', '2020-10-01')", "październik"},
    Case{"GetdateFormat", "length(tsql_getdate()) = 19 AND substr(tsql_getdate(), 11, 1) = ' '", "1"});

FUNCTION_GROUP(
    Texts, Case{"LeftInCharacters", "tsql_left('żółw', 2)", "żó"},
    Case{"RightInCharacters", "tsql_right('żółw', 2)", "łw"},
    Case{"LeftLongerThanText", "tsql_left('ab', 5)", "ab"},
    Case{"CharindexCaseInsensitive", "tsql_charindex('ŁÓ', 'żółw łódź')", "6"},
    Case{"CharindexFromStart", "tsql_charindex('a', 'abca', 2)", "4"},
    Case{"CharindexMissing", "tsql_charindex('x', 'abc')", "0"},
    Case{"ReplaceIgnoresCaseKeepsTheRest", "tsql_replace('Żółw ŻÓŁW żółw', 'żÓł', 'x')", "xw xW xw"},
    Case{"ReplaceNeverOverlaps", "tsql_replace('aaaa', 'AA', 'a')", "aa"},
    Case{"ReplaceEmptyNeedle", "tsql_replace('abc', '', 'x')", "abc"},
    Case{"ReplaceNull", "tsql_replace('abc', NULL, 'x') IS NULL", "1"},
    Case{"Replicate", "tsql_replicate('ab', 3)", "ababab"},
    Case{"ReplicateNegative", "tsql_replicate('ab', -1) IS NULL", "1"},
    Case{"Space", "'[' || tsql_space(3) || ']'", "[   ]"},
    Case{"StrRightAligned", "tsql_str(12.345, 8, 2)", "   12.35"},
    Case{"StrTooLong", "tsql_str(123456, 3)", "***"}, Case{"Reverse", "tsql_reverse('żółw')", "włóż"},
    Case{"IsNumeric", "tsql_isnumeric(' 12.5 ') || tsql_isnumeric('12a') || tsql_isnumeric(7)", "101"});

FUNCTION_GROUP(Plus, Case{"TextsJoin", "tsql_add('ab', 'cd')", "abcd"},
               Case{"NumbersAdd", "tsql_add(2, 3)", "5"}, Case{"DecimalsAdd", "tsql_add(2.5, 1)", "3.5"},
               Case{"NumericTextConverts", "tsql_add('5', 1)", "6"},
               Case{"NullPropagates", "tsql_add(NULL, 'a') IS NULL", "1"},
               Case{"CeilingFloor", "tsql_ceiling(1.2) || tsql_floor(-1.2)", "2-2"},
               Case{"PowerOfIntegers", "tsql_power(2, 10)", "1024"},
               Case{"PowerOfSmallBases",
                    "tsql_power(-1, 3) || ' ' || tsql_power(-1, 4) || ' ' || tsql_power(0, 0) || ' ' || "
                    "tsql_power(-3, 3)",
                    "-1 1 1 -27"});

struct Failure {
  const char* name;
  const char* expression;
  const char* message;
};

class FailsWith : public ::testing::TestWithParam<Failure> {};

TEST_P(FailsWith, ServerLikeMessage) {
  MemoryDb db;
  const std::string message = error_of(db, GetParam().expression);
  EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Errors, FailsWith,
                         ::testing::ValuesIn(std::vector<Failure>{
                             {"TextPlusNumber", "tsql_add('abc', 1)", "Conversion failed"},
                             {"IntegerOverflow", "tsql_add(9223372036854775807, 1)", "overflow"},
                             {"BadDateText", "tsql_datetime('2020-02-30')", "Conversion failed"},
                             {"DateOutOfRange", "tsql_datetime(-100000)", "out-of-range"},
                             {"NegativeLeft", "tsql_left('abc', -1)", "Invalid length"},
                             {"UnknownStyle", "tsql_to_text('2020-01-01', 999, 30)", "style"},
                             {"HugeReplicate", "tsql_replicate('abc', 2000000000)", "too big"},
                             {"LongEscape", "'a' LIKE 'a' ESCAPE 'xy'", "ESCAPE"},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlciCollation, GroupsDistinctAndOrdersTextColumns) {
  MemoryDb db;
  db.exec("CREATE TABLE t (n TEXT COLLATE PLCI)");
  db.exec("INSERT INTO t VALUES ('Łódź'), ('ŁÓDŹ  '), ('lodz'), ('b'), ('ą'), ('A'), ('ż'), ('ź'), ('z')");
  EXPECT_EQ(db.query("SELECT count(DISTINCT n) FROM t")[0][0], "8");
  const auto rows = db.query("SELECT n FROM t GROUP BY n ORDER BY n");
  std::vector<std::string> order;
  for (const auto& r : rows) order.push_back(r[0]);
  const std::vector<std::string> expected = {"A", "ą", "b", "lodz", "Łódź", "z", "ź", "ż"};
  ASSERT_EQ(order.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (i == 4) {
      EXPECT_TRUE(order[i] == "Łódź" || order[i] == "ŁÓDŹ  ") << order[i];
    } else {
      EXPECT_EQ(order[i], expected[i]) << i;
    }
  }
}

TEST(PlciCollation, IndexLookupFindsAnyCase) {
  MemoryDb db;
  db.exec("CREATE TABLE u (identyfikator TEXT COLLATE PLCI PRIMARY KEY, id INTEGER)");
  db.exec("INSERT INTO u VALUES ('Kowalski', 1), ('Żak', 2)");
  EXPECT_EQ(db.query("SELECT id FROM u WHERE identyfikator = 'ŻAK '")[0][0], "2");
  EXPECT_EQ(db.query("SELECT id FROM u WHERE identyfikator = 'kowalski'")[0][0], "1");
}

}  // namespace
}  // namespace db::tsql
