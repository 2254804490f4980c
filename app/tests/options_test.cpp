// The command line: what each option sets, and which lines are refused before anything starts.
#include "app/options.h"

#include <gtest/gtest.h>

namespace app {
namespace {

struct Accepted {
  const char* name;
  std::vector<std::string_view> arguments;
  Options expected;
};

void PrintTo(const Accepted& row, std::ostream* out) {
  *out << row.name;
}

Options with(auto change) {
  Options o;
  change(o);
  return o;
}

class OptionsAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(OptionsAccepted, SetsWhatTheLineSays) {
  std::string error;
  const std::optional<Options> got = parse_options(GetParam().arguments, &error);
  ASSERT_TRUE(got) << error;
  const Options& want = GetParam().expected;
  EXPECT_EQ(got->connection, want.connection);
  EXPECT_EQ(got->user_id, want.user_id);
  EXPECT_EQ(got->script, want.script);
  EXPECT_EQ(got->screenshot_dir, want.screenshot_dir);
  EXPECT_EQ(got->run_entries, want.run_entries);
  EXPECT_EQ(got->quit_after_start, want.quit_after_start);
  EXPECT_EQ(got->help, want.help);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OptionsAccepted,
    ::testing::Values(
        Accepted{"nothing_gives_the_defaults", {}, Options{}},
        Accepted{"database_and_user_as_separate_words",
                 {"--db", "sqlite:/tmp/a b.db", "--user", "3000002"},
                 with([](Options& o) {
                   o.connection = "sqlite:/tmp/a b.db";
                   o.user_id = 3000002;
                 })},
        Accepted{"values_after_equals_keep_later_equals",
                 {"--db=sqlite:/tmp/x.db?busy_timeout=10", "--user=7"},
                 with([](Options& o) {
                   o.connection = "sqlite:/tmp/x.db?busy_timeout=10";
                   o.user_id = 7;
                 })},
        Accepted{"runs_are_kept_in_order",
                 {"--script", "s.txt", "--run", "Pomoc > O programie", "--run=System > Koniec pracy"},
                 with([](Options& o) {
                   o.script = "s.txt";
                   o.run_entries = {"Pomoc > O programie", "System > Koniec pracy"};
                 })},
        Accepted{
            "screenshots_and_quitting", {"--screenshot", "shots", "--quit-after-start"}, with([](Options& o) {
              o.screenshot_dir = "shots";
              o.quit_after_start = true;
            })},
        Accepted{"help_short_and_long", {"-h"}, with([](Options& o) { o.help = true; })}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refused {
  const char* name;
  std::vector<std::string_view> arguments;
  const char* message_part;
};

void PrintTo(const Refused& row, std::ostream* out) {
  *out << row.name;
}

class OptionsRefused : public ::testing::TestWithParam<Refused> {};

TEST_P(OptionsRefused, NamesWhatIsWrong) {
  std::string error;
  EXPECT_FALSE(parse_options(GetParam().arguments, &error));
  EXPECT_NE(error.find(GetParam().message_part), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OptionsRefused,
    ::testing::Values(Refused{"value_missing_at_the_end", {"--db"}, "--db wymaga wartości"},
                      Refused{"unknown_option", {"--verbose"}, "Nieznana opcja: \"--verbose\""},
                      Refused{"positional_word", {"baza.db"}, "Nieznana opcja: \"baza.db\""},
                      Refused{"flag_with_a_value", {"--help=yes"}, "--help nie przyjmuje wartości"},
                      Refused{"user_not_a_number", {"--user", "admin"}, "dodatnią liczbą całkowitą"},
                      Refused{"user_with_trailing_text", {"--user", "12x"}, "\"12x\""},
                      Refused{"user_zero", {"--user", "0"}, "dodatnią"},
                      Refused{"user_negative", {"--user=-3000001"}, "dodatnią"},
                      Refused{"user_beyond_exact_doubles", {"--user", "9007199254740993"}, "dodatnią"},
                      Refused{"empty_script_name", {"--script="}, "--script wymaga nazwy pliku"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace app
