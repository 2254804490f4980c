// PODAJDANEGUS: the module loaded once for both of its entry points, and unloaded on every way out.
#include "keldox/register_lookup.h"

#include <pugixml.hpp>

#include "dane/globals.h"
#include "keldox/messages.h"
#include "keldox/sql_text.h"
#include "keldox/user_filters.h"
#include "runtime/text.h"
#include "sql/util_library.h"

namespace keldox {
namespace {

constexpr std::size_t kLongestAnswer = 79999;

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Whether `text` at `at` (an "&") begins "&name;", "&#123;" or "&#x1F;".
bool begins_reference(std::string_view text, std::size_t at) {
  std::size_t i = at + 1;
  const std::size_t start = i;
  if (i < text.size() && text[i] == '#') {
    ++i;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const std::size_t digits_start = i;
    while (i < text.size() &&
           (is_digit(text[i]) || (hex && std::isxdigit(static_cast<unsigned char>(text[i])))))
      ++i;
    return i > digits_start && i < text.size() && text[i] == ';';
  }
  while (i < text.size() && (is_letter(text[i]) || is_digit(text[i]))) ++i;
  return i > start && is_letter(text[start]) && i < text.size() && text[i] == ';';
}

std::string escape_bare_ampersands(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && !begins_reference(text, i))
      out += "&amp;";
    else
      out += text[i];
  }
  return out;
}

bool well_formed(const std::string& xml) {
  pugi::xml_document document;
  return static_cast<bool>(
      document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8));
}

void cannot_start() {
  MSG_OSTRZEZENIE("Wystąpił błąd podczas uruchamiania funkcji importu danych z GUS.");
}

}  // namespace

std::string clean_register_answer(std::string_view text) {
  std::string out = REPLACEPROC2(text, "&#046;", ".");
  out = REPLACEPROC2(out, "&#045;", "-");
  out = REPLACEPROC2(out, "&#044;", ",");
  out = REPLACEPROC2(out, "&#041;", ")");
  out = REPLACEPROC2(out, "'", "`");
  out = escape_bare_ampersands(out);
  return REPLACEPROC2(out, "&quot;", "\"");
}

std::uint8_t PODAJDANEGUS(dane::RecordGroup& record) {
  if (dane::GLO.POLACZENIE_INTERNETOWE == 0) {
    MSG_OSTRZEZENIE("Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu.");
    return 0;
  }
  const util_library::Module module;
  if (!module.loaded()) {
    MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
    return 0;
  }
  if (module.run("PobierzGUSokno") != util_library::Outcome::answered) {
    cannot_start();
    return 0;
  }
  const util_library::Answer answer = module.call("PobierzGUSwartosc");
  if (answer.outcome != util_library::Outcome::answered) {
    cannot_start();
    return 0;
  }
  std::string xml = clean_register_answer(runtime::cut_to_width(answer.text, kLongestAnswer));
  if (runtime::trim(xml).empty()) return 0;
  // An answer the reader refuses is told by XMLDOGRUPY; it copies nothing, so nothing was received.
  const bool readable = well_formed(xml);
  XMLDOGRUPY(xml, record);
  return readable ? 1 : 0;
}

}  // namespace keldox
