// Choosing one record by its name in a small form, where the main program has no list of that kind yet.
#pragma once

#include <optional>
#include <string>

namespace app {

// Runs `statement` (identifier, name) and offers the names in a drop list under `title`; the identifier
// of the chosen one, nothing when the user cancels. With no rows, `none_found` is said and nothing chosen.
std::optional<double> choose_record(const std::string& title, const std::string& caption,
                                    const std::string& statement, const std::string& none_found);

}  // namespace app
