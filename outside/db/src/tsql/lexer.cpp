// T-SQL tokenizer: one pass over the text, tokens point into it.
#include "lexer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace db::tsql {
namespace {

// Words that end an expression or a table reference, in ASCII order.
constexpr std::array<std::string_view, 62> kReserved = {
    "all",      "alter",     "and",  "any",    "apply",  "as",     "asc",      "begin",   "between",
    "by",       "call",      "case", "commit", "create", "cross",  "declare",  "delete",  "desc",
    "distinct", "drop",      "else", "end",    "escape", "except", "exec",     "execute", "exists",
    "for",      "from",      "full", "go",     "group",  "having", "if",       "in",      "inner",
    "insert",   "intersect", "into", "is",     "join",   "left",   "like",     "not",     "null",
    "on",       "option",    "or",   "order",  "outer",  "right",  "rollback", "select",  "set",
    "some",     "then",      "top",  "union",  "update", "values", "when",     "where"};
static_assert(!kReserved.back().empty(), "every slot holds a word");

// The reserved words of up to 8 characters as packed keys in an open-addressed table: a word is found, or
// known not to be reserved, in one or two probes. "intersect" is the only longer one.
constexpr std::size_t kReservedSlots = 256;

constexpr std::size_t reserved_slot(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 56);
}

constexpr std::array<std::uint64_t, kReservedSlots> kReservedTable = [] {
  std::array<std::uint64_t, kReservedSlots> table{};
  for (const std::string_view w : kReserved) {
    if (w.size() > 8) continue;
    std::size_t i = reserved_slot(pack_lower(w));
    while (table[i] != 0) i = (i + 1) % kReservedSlots;
    table[i] = pack_lower(w);
  }
  return table;
}();

bool reserved_word(std::string_view text, std::uint64_t key) {
  if (text.size() > 8)
    return text.size() == 9 && pack_lower(text) == pack_lower("intersect") &&
           is_word({TokenKind::Word, false, key, text, 0}, "intersect");
  for (std::size_t i = reserved_slot(key);; i = (i + 1) % kReservedSlots) {
    if (kReservedTable[i] == key) return true;
    if (kReservedTable[i] == 0) return false;
  }
}

// Character classes by table: the tokenizer looks at every byte of long statements.
enum CharClass : std::uint8_t { kDigit = 1, kWordStart = 2, kWordChar = 4, kHex = 8, kBlank = 16 };

constexpr std::array<std::uint8_t, 256> kClasses = [] {
  std::array<std::uint8_t, 256> c{};
  for (int i = 0; i < 256; ++i) {
    std::uint8_t v = 0;
    const bool digit = i >= '0' && i <= '9';
    const bool letter = (i >= 'a' && i <= 'z') || (i >= 'A' && i <= 'Z');
    if (digit) v |= kDigit | kWordChar | kHex;
    if (letter || i == '_' || i == '#' || i >= 0x80) v |= kWordStart | kWordChar;
    if (i == '@' || i == '$') v |= kWordChar;
    if ((i >= 'a' && i <= 'f') || (i >= 'A' && i <= 'F')) v |= kHex;
    if (i == ' ' || i == '\t' || i == '\r' || i == '\n' || i == '\f' || i == '\v') v |= kBlank;
    c[static_cast<std::size_t>(i)] = v;
  }
  return c;
}();

bool has(char c, CharClass k) {
  return (kClasses[static_cast<unsigned char>(c)] & k) != 0;
}
bool is_digit(char c) {
  return has(c, kDigit);
}
bool is_word_start(char c) {
  return has(c, kWordStart);
}
bool is_word_char(char c) {
  return has(c, kWordChar);
}
bool is_hex(char c) {
  return has(c, kHex);
}
bool is_blank(char c) {
  return has(c, kBlank);
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : s_(text) { out_.tokens.reserve(text.size() / 2 + 8); }

  LexResult run() {
    while (out_.error.empty()) {
      skip_blanks_and_comments();
      if (!out_.error.empty()) break;
      if (pos_ >= s_.size()) {
        out_.tokens.push_back({TokenKind::End, false, 0, {}, pos_});
        break;
      }
      next_token();
    }
    if (!out_.error.empty()) out_.tokens.clear();
    return std::move(out_);
  }

 private:
  char at(std::size_t i) const { return i < s_.size() ? s_[i] : '\0'; }

  void fail(std::string message) {
    if (out_.error.empty()) out_.error = std::move(message) + " at offset " + std::to_string(pos_);
  }

  void skip_blanks_and_comments() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (is_blank(c)) {
        ++pos_;
      } else if (c == '-' && at(pos_ + 1) == '-') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else if (c == '/' && at(pos_ + 1) == '*') {
        skip_block_comment();
        if (!out_.error.empty()) return;
      } else {
        return;
      }
    }
  }

  void skip_block_comment() {
    const std::size_t start = pos_;
    int depth = 0;
    while (pos_ < s_.size()) {
      if (s_[pos_] == '/' && at(pos_ + 1) == '*') {
        ++depth;
        pos_ += 2;
      } else if (s_[pos_] == '*' && at(pos_ + 1) == '/') {
        pos_ += 2;
        if (--depth == 0) return;
      } else {
        ++pos_;
      }
    }
    pos_ = start;
    fail("unterminated comment");
  }

  void emit(TokenKind kind, std::size_t start) {
    out_.tokens.push_back({kind, false, 0, s_.substr(start, pos_ - start), start});
  }

  void next_token() {
    const std::size_t start = pos_;
    const char c = s_[pos_];
    if ((c == 'N' || c == 'n') && at(pos_ + 1) == '\'') {
      ++pos_;
      return quoted(TokenKind::String, '\'', start, "unterminated string literal");
    }
    if (c == '0' && (at(pos_ + 1) == 'x' || at(pos_ + 1) == 'X')) {
      pos_ += 2;
      while (is_hex(at(pos_))) ++pos_;
      return emit(TokenKind::Binary, start);
    }
    if (is_digit(c) || (c == '.' && is_digit(at(pos_ + 1)))) return number(start);
    if (is_word_start(c)) {
      while (pos_ < s_.size() && is_word_char(s_[pos_])) ++pos_;
      emit(TokenKind::Word, start);
      Token& word = out_.tokens.back();
      if (word.text.size() <= 8) word.key = pack_lower(word.text);
      word.reserved = reserved_word(word.text, word.key);
      return;
    }
    if (c == '@') {
      ++pos_;
      if (at(pos_) == '@') ++pos_;
      while (pos_ < s_.size() && is_word_char(s_[pos_])) ++pos_;
      return emit(TokenKind::Variable, start);
    }
    if (c == '\'') return quoted(TokenKind::String, '\'', start, "unterminated string literal");
    if (c == '"') return quoted(TokenKind::QuotedName, '"', start, "unterminated quoted name");
    if (c == '[') return quoted(TokenKind::QuotedName, ']', start, "unterminated [name]");
    symbol(start);
  }

  // Reads up to the closing delimiter; a doubled delimiter stands for itself.
  void quoted(TokenKind kind, char close, std::size_t start, const char* unterminated) {
    ++pos_;
    while (pos_ < s_.size()) {
      if (s_[pos_] == close) {
        if (at(pos_ + 1) == close) {
          pos_ += 2;
          continue;
        }
        ++pos_;
        return emit(kind, start);
      }
      ++pos_;
    }
    pos_ = start;
    fail(unterminated);
  }

  void number(std::size_t start) {
    while (is_digit(at(pos_))) ++pos_;
    if (at(pos_) == '.') {
      ++pos_;
      while (is_digit(at(pos_))) ++pos_;
    }
    const char e = at(pos_);
    if (e == 'e' || e == 'E') {
      std::size_t p = pos_ + 1;
      if (at(p) == '+' || at(p) == '-') ++p;
      if (is_digit(at(p))) {
        pos_ = p;
        while (is_digit(at(pos_))) ++pos_;
      }
    }
    emit(TokenKind::Number, start);
  }

  void symbol(std::size_t start) {
    const char c = s_[pos_];
    const char next = at(pos_ + 1);
    const bool two = (c == '<' && (next == '>' || next == '=')) || (c == '>' && next == '=') ||
                     (c == '!' && (next == '=' || next == '<' || next == '>'));
    if (two) {
      pos_ += 2;
      return emit(TokenKind::Symbol, start);
    }
    static constexpr std::string_view one = "()=<>+-*/%,.;&|^~{}?";
    if (one.find(c) != std::string_view::npos) {
      ++pos_;
      return emit(TokenKind::Symbol, start);
    }
    fail(std::string("unexpected character '") + c + "'");
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  LexResult out_;
};

std::string unquote(std::string_view inner, char close) {
  std::string out;
  out.reserve(inner.size());
  for (std::size_t i = 0; i < inner.size(); ++i) {
    out.push_back(inner[i]);
    if (inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close) ++i;
  }
  return out;
}

}  // namespace

LexResult tokenize(std::string_view text) {
  // SQLite ends a statement at a NUL byte, so a text holding one could not be passed on faithfully.
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
    return {{}, "NUL character at offset " + std::to_string(nul)};
  }
  return Lexer(text).run();
}

std::string quoted_name_value(std::string_view text) {
  if (text.size() < 2) return std::string(text);
  const char close = text.front() == '[' ? ']' : '"';
  return unquote(text.substr(1, text.size() - 2), close);
}

std::string string_literal_value(std::string_view text) {
  if (!text.empty() && (text.front() == 'N' || text.front() == 'n')) text.remove_prefix(1);
  if (text.size() < 2) return {};
  return unquote(text.substr(1, text.size() - 2), '\'');
}

}  // namespace db::tsql
