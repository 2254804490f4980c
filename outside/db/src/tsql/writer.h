// Writes SQLite text from the T-SQL statement tree, translating constructs SQLite spells differently.
#pragma once

#include <memory_resource>
#include <string>

#include "ast.h"
#include "db/tsql/translate.h"

namespace db::tsql {

// Turns the parsed statements into steps. Returns an empty string on success, else a refusal naming the
// construct that has no faithful SQLite form. `size_hint` is the length of the T-SQL text.
std::string compile(const Block& statements, Steps& out, std::pmr::memory_resource* arena,
                    std::size_t size_hint);

}  // namespace db::tsql
