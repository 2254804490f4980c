// The main program's command line: which database, which user, how to run (with people or from a script).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The administrator of the demo database: the user a run logs in as unless told otherwise.
inline constexpr double kDefaultUserId = 3000001;

struct Options {
  std::string connection;  // empty: the embedded default database
  double user_id = kDefaultUserId;
  std::string script;                    // non-empty: headless, answered by this script file
  std::string screenshot_dir;            // non-empty: PNGs of everything shown
  std::vector<std::string> run_entries;  // menu paths ("Pomoc > O programie"), run in order
  bool quit_after_start = false;         // with people: end once the main window and the entries have run
  bool help = false;
};

// Reads the arguments after the program name. "--name VALUE" and "--name=VALUE" are both accepted; a user
// identifier must be a positive whole number. Gives nothing and sets `error` for anything not understood.
std::optional<Options> parse_options(const std::vector<std::string_view>& arguments, std::string* error);

// The text of --help.
std::string usage_text();

}  // namespace app
