// The views and triggers of the schema (after the tables they read).
#pragma once

#include <string>
#include <vector>

namespace server {

std::vector<std::string> view_statements();

}  // namespace server
