// The query bridge: the module's connection, its delimited results and their splitting into a list.
#include "keldox/query_bridge.h"

#include "dane/globals.h"
#include "keldox/messages.h"
#include "runtime/text.h"
#include "sql/util_library.h"

namespace keldox {
namespace {

constexpr std::string_view kLoadFailed = "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.";
constexpr std::size_t kStatusWidth = 999999;
constexpr std::size_t kStatementWidth = 9999;
constexpr std::size_t kResultWidth = 4000000;
constexpr std::size_t kRecordWidth = 10000;
constexpr std::size_t kPieceWidth = 2000;

// The first character of a non-blank text, else the default.
std::string_view separator_or(std::string_view given, std::string_view fallback) {
  return runtime::trim_right(given).empty() ? fallback : runtime::cut_to_width(given, 1);
}

// Warns about a failed call and tells whether the call answered.
bool answered(const util_library::Answer& answer, std::string_view load_failed,
              std::string_view entry_point_missing) {
  switch (answer.outcome) {
    case util_library::Outcome::answered:
      return true;
    case util_library::Outcome::library_not_loaded:
      MSG_OSTRZEZENIE(load_failed);
      return false;
    case util_library::Outcome::entry_point_missing:
      MSG_OSTRZEZENIE(entry_point_missing);
      return false;
  }
  return false;
}

// The first `width` characters; a text of no more bytes than that is whole and needs no walk.
std::string_view first_characters(std::string_view text, std::size_t width) {
  return text.size() <= width ? text : runtime::cut_to_width(text, width);
}

void load_record(dane::ListTarget& target, std::string_view record, std::string_view field_separator) {
  if (record.find(field_separator) == std::string_view::npos) return;
  target.clear_buffer();
  std::size_t position = 1;
  std::size_t start = 0;
  while (position <= target.field_count()) {
    const std::size_t end = record.find(field_separator, start);
    const std::string_view piece =
        record.substr(start, end == std::string_view::npos ? record.npos : end - start);
    target.assign(position, first_characters(piece, kPieceWidth));
    if (end == std::string_view::npos) break;
    start = end + field_separator.size();
    ++position;
  }
  target.add();
}

}  // namespace

std::string DOTNETUTWORZPOLACZENIESQL() {
  const util_library::Answer answer =
      util_library::call("UtworzPolaczenieSQL", {runtime::trim_right(dane::GLO.OWNERNAME.view())});
  if (!answered(answer, kLoadFailed,
                "Wystąpił błąd podczas uruchamiania funkcji połączenia do bazy z modułu ZORVAutilKS.")) {
    return {};
  }
  std::string status(runtime::cut_to_width(answer.text, kStatusWidth));
  if (status.starts_with("-1")) {
    MSG_OSTRZEZENIE(
        "Wystąpił błąd połączenia do bazy modułu ZORVAutilKS!|Skontaktuj się z Administratorem systemu.|" +
        std::string(runtime::trim_right(runtime::sub_text(status, 3, kStatusWidth))));
  }
  return status;
}

std::string DOTNETPODAJKOLEJKESQL(std::string_view statement, std::string_view record_separator,
                                  std::string_view field_separator) {
  const util_library::Answer answer = util_library::call(
      "PobierzKolejkeSQL", {runtime::cut_to_width(statement, kStatementWidth),
                            separator_or(record_separator, "^"), separator_or(field_separator, ";")});
  if (!answered(answer, kLoadFailed,
                "Wystąpił błąd podczas uruchamiania funkcji pobierania do kolejki z modułu ZORVAutilKS.")) {
    return {};
  }
  if (first_characters(answer.text, kResultWidth).size() < answer.text.size()) return {};
  return answer.text;
}

void DOTNETZALADUJKOLEJKE(dane::ListTarget target, std::string_view result, std::string_view record_separator,
                          std::string_view field_separator) {
  const std::string_view record_mark = separator_or(record_separator, "^");
  const std::string_view field_mark = separator_or(field_separator, ";");
  std::size_t start = 0;
  if (result.find(record_mark) == std::string_view::npos) return;
  while (start < result.size()) {
    const std::size_t end = result.find(record_mark, start);
    const std::string_view record =
        result.substr(start, end == std::string_view::npos ? result.npos : end - start);
    load_record(target, first_characters(record, kRecordWidth), field_mark);
    if (end == std::string_view::npos) break;
    start = end + record_mark.size();
  }
}

}  // namespace keldox
