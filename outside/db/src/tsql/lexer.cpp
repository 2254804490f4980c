// T-SQL tokenizer: one pass over the text, tokens point into it.
#include "lexer.h"

namespace db::tsql {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_word_start(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '#' || u >= 0x80;
}
bool is_word_char(char c) {
  return is_word_start(c) || is_digit(c) || c == '@' || c == '$';
}
bool is_hex(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : s_(text) { out_.tokens.reserve(text.size() / 4 + 2); }

  LexResult run() {
    while (out_.error.empty()) {
      skip_blanks_and_comments();
      if (!out_.error.empty()) break;
      if (pos_ >= s_.size()) {
        out_.tokens.push_back({TokenKind::End, {}, pos_});
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
    out_.tokens.push_back({kind, s_.substr(start, pos_ - start), start});
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
      return emit(TokenKind::Word, start);
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
    static constexpr std::string_view two[] = {"<>", "<=", ">=", "!=", "!<", "!>"};
    for (const auto op : two) {
      if (s_.substr(pos_, 2) == op) {
        pos_ += 2;
        return emit(TokenKind::Symbol, start);
      }
    }
    static constexpr std::string_view one = "()=<>+-*/%,.;&|^~{}?";
    if (one.find(s_[pos_]) != std::string_view::npos) {
      ++pos_;
      return emit(TokenKind::Symbol, start);
    }
    fail(std::string("unexpected character '") + s_[pos_] + "'");
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
  return Lexer(text).run();
}

bool is_word(const Token& token, std::string_view lower_keyword) {
  if (token.kind != TokenKind::Word || token.text.size() != lower_keyword.size()) return false;
  for (std::size_t i = 0; i < lower_keyword.size(); ++i) {
    char c = token.text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    if (c != lower_keyword[i]) return false;
  }
  return true;
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
