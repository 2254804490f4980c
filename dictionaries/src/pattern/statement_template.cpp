// Filling the placeholders of a description's statements and messages.
#include "pattern/statement_template.h"

#include "dane/globals.h"
#include "dane/record_fields.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace slownik {
namespace {

std::string fill(std::string_view pattern, const FieldValue& value, bool statement) {
  std::string out;
  out.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::size_t close = pattern[i] == '{' ? pattern.find('}', i) : std::string_view::npos;
    if (close == std::string_view::npos) {
      out += pattern[i];
      continue;
    }
    std::string_view name = pattern.substr(i + 1, close - i - 1);
    i = close;
    if (name == "@FIRMA") {
      out += keldox::sql_id(dane::GLO.ID_FIRMY);
    } else if (name == "@UZYTKOWNIK") {
      out += keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA);
    } else if (!name.empty() && name.front() == '#') {
      out += keldox::sql_id(dane::number_from_text(value(name.substr(1))));
    } else {
      const std::string v(runtime::trim(value(name)));
      out += statement ? keldox::sql_escape(v) : v;
    }
  }
  return out;
}

}  // namespace

std::string fill_statement(std::string_view pattern, const FieldValue& value) {
  return fill(pattern, value, true);
}

std::string fill_message(std::string_view pattern, const FieldValue& value) {
  return fill(pattern, value, false);
}

}  // namespace slownik
