// Tokens of a T-SQL text: the server's lexical rules, including its habit of ending a number at a letter.
#pragma once

#include <cstddef>
#include <cstdint>
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
  bool reserved = false;  // a Word that ends an expression or a table reference, never taken for an alias
  std::uint64_t key = 0;  // a Word of up to 8 characters in lower case, packed; 0 otherwise
  std::string_view text;
  std::size_t offset = 0;
};

// Up to 8 lower-case ASCII characters packed into one number, so that keyword tests are one comparison.
constexpr std::uint64_t pack_lower(std::string_view s) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < s.size() && i < 8; ++i) {
    char c = s[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    key |= static_cast<std::uint64_t>(static_cast<unsigned char>(c)) << (8 * i);
  }
  return key;
}

struct LexResult {
  std::vector<Token> tokens;  // always ends with an End token when `error` is empty
  std::string error;
};

// Splits `text` into tokens, dropping blanks and comments (`-- ...`, nested `/* ... */`). A number ends at
// the first character that cannot continue it, so `5and` is the number 5 followed by `and`; an exponent
// is taken only when digits follow the `e`. Unterminated literals and comments, NUL bytes and characters
// that have no meaning in T-SQL are errors naming what was found.
LexResult tokenize(std::string_view text);

// A keyword with its packed form computed at compile time: K("select").
struct Keyword {
  std::uint64_t key;
  std::string_view text;
};
consteval Keyword K(std::string_view lower_keyword) {
  return {pack_lower(lower_keyword), lower_keyword};
}

// Byte equality of short texts (operators, keywords) without a library call.
inline bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// Case-insensitive comparison of a word with an ASCII keyword given in lower case.
inline bool is_word(const Token& token, std::string_view lower_keyword) {
  if (token.kind != TokenKind::Word || token.text.size() != lower_keyword.size()) return false;
  if (lower_keyword.size() <= 8) return token.key == pack_lower(lower_keyword);
  for (std::size_t i = 0; i < lower_keyword.size(); ++i) {
    char c = token.text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    if (c != lower_keyword[i]) return false;
  }
  return true;
}

// The value of a quoted name (delimiters removed, doubled closing delimiters undone).
std::string quoted_name_value(std::string_view text);
// The value of a string literal (quotes and N prefix removed, '' undone).
std::string string_literal_value(std::string_view text);

inline bool is_word(const Token& token, const Keyword& keyword) {
  if (token.kind != TokenKind::Word || token.text.size() != keyword.text.size()) return false;
  if (keyword.text.size() <= 8) return token.key == keyword.key;
  return is_word(token, keyword.text);
}

}  // namespace db::tsql
