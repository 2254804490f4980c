// The database query that answers with one value, as the services see it until the SQL layer lands.
//
// A service that needs a single value from the database (for example the EU form of a tax number)
// sends its statement text here. The SQL layer installs the realisation that runs it through its
// pass-through channel and closes the query; until then the default answers an empty text without
// sending anything. Installing is meant for start-up and tests.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

class SingleValueQuery {
 public:
  virtual ~SingleValueQuery() = default;
  // Runs `statement` and returns the first column of its first row (empty when there is none).
  virtual std::string single_value(std::string_view statement) = 0;
};

// Installs `query` (nullptr restores the default) and returns the one it replaces.
SingleValueQuery* install_single_value_query(SingleValueQuery* query);

// Runs `statement` through the installed query.
std::string query_single_value(std::string_view statement);

}  // namespace keldox
