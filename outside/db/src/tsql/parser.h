// Recursive-descent parser of the T-SQL subset: tokens in, statement trees out.
#pragma once

#include <memory_resource>
#include <string>
#include <vector>

#include "ast.h"
#include "lexer.h"

namespace db::tsql {

struct ParseResult {
  Block statements;
  std::string error;  // names the construct that is not part of the subset, or the syntax fault

  explicit ParseResult(std::pmr::memory_resource* mr) : statements(mr) {}
};

// Parses a batch: statements separated by `;` or simply following each other, as the server accepts
// them. Nodes are allocated from `arena`, which must outlive the result; `tokens` must end with End.
ParseResult parse(const std::vector<Token>& tokens, std::pmr::memory_resource* arena);

// Case-insensitive equality of two names by value (`[Nazwa]` equals `nazwa`).
bool same_name(const Name& a, const Name& b);
bool name_is(const Name& a, std::string_view lower_ascii);

}  // namespace db::tsql
