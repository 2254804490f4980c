// Tokens of a T-SQL text: the server's lexical rules, including its habit of ending a number at a letter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace db::tsql {

enum class TokenKind {
  Word,        // bare identifier or keyword (keywords are recognised by the parser, any case)
  QuotedName,  // [name] or "name"; `text` keeps the delimiters
  String,      // 'text' or N'text'; `text` keeps the quotes and the N
  Number,      // 12, 4.15, .5, 1e5
  Binary,      // 0x1F
  Variable,    // @name, @@name
  Symbol,      // operators and punctuation, one to two characters
  End,
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string_view text;
  std::size_t offset = 0;
};

struct LexResult {
  std::vector<Token> tokens;  // always ends with an End token when `error` is empty
  std::string error;
};

// Splits `text` into tokens, dropping blanks and comments (`-- ...`, nested `/* ... */`). A number ends at
// the first character that cannot continue it, so `5and` is the number 5 followed by `and`; an exponent
// is taken only when digits follow the `e`. Unterminated literals and comments, and characters that have
// no meaning in T-SQL, are errors naming what was found.
LexResult tokenize(std::string_view text);

// Case-insensitive comparison of a word with an ASCII keyword given in lower case.
bool is_word(const Token& token, std::string_view lower_keyword);

// The value of a quoted name (delimiters removed, doubled closing delimiters undone).
std::string quoted_name_value(std::string_view text);
// The value of a string literal (quotes and N prefix removed, '' undone).
std::string string_literal_value(std::string_view text);

}  // namespace db::tsql
