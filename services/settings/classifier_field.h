// Whether a classifier field that a browse column shows is active.
#pragma once

#include <cstdint>
#include <string_view>

namespace keldox {

// Asks the database (FUNCSQL) whether field "pole" + number of the classifier group is active; a field
// that does not exist counts as inactive.
bool classifier_field_active(std::string_view group, std::int32_t field_number);

}  // namespace keldox
