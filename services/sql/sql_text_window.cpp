// The SQL text window: a T-SQL text shown to the user, copied in part or run as a script of pieces.
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/form.h"
#include "dane/host.h"
#include "dane/window.h"
#include "keldox/action_log.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/statement_window.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kText = "SQL";
constexpr std::string_view kCopy = "KOPIUJ";
constexpr std::string_view kRun = "WYKONAJ";
constexpr std::size_t kTextLimit = 199999;

std::string graves_as_apostrophes(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '`') c = '\'';
  }
  return out;
}

bool blank(std::string_view text) {
  return runtime::trim(text).empty();
}

// A line holding only "go" (any case, blanks around it) separates the pieces; the lines end in CR LF as
// the system writes them, or in LF alone as files on this system do.
bool separator_line(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return runtime::to_lower(runtime::trim(line)) == "go";
}

class SqlTextWindow final : public dane::FormWindow {
 public:
  SqlTextWindow(std::string_view text, std::string_view title) : FormWindow("PokazSQLWin"), title_(title) {
    dane::Field field{std::string(kText), "", "@s" + std::to_string(kTextLimit),
                      graves_as_apostrophes(runtime::cut_to_width(text, kTextLimit))};
    field.kind = dane::FieldKind::Memo;
    field.buttons = {{std::string(kCopy), "Kopiuj do schowka zaznaczony fragment"},
                     {std::string(kRun), "Wykonaj SQL"}};
    add_field(std::move(field));
    set_title(title);
    set_mode_titles(std::string(title), std::string(title));
    set_closing_buttons("OK", "Zamknij", false);
    set_tooltip(kText, "Esc: zamknij, Ctrl+C: kopiuj, Ctrl+W: wykonaj");
  }

 protected:
  void on_button(std::string_view, std::string_view control) override {
    if (runtime::same_name(control, kCopy)) copy_selection();
    if (runtime::same_name(control, kRun)) run_script();
  }

 private:
  void set_tooltip(std::string_view field, std::string_view text) { tooltips().add(field, text); }

  void copy_selection() {
    const std::string text = value(kText);
    const Selection s = selection(kText);
    if (s.start >= s.end) {
      dane::host().set_clipboard(text);
      return;
    }
    const std::size_t from = runtime::byte_offset(text, s.start);
    const std::size_t to = runtime::byte_offset(text, s.end);
    dane::host().set_clipboard(std::string_view(text).substr(from, to - from));
  }

  void run_script() {
    for (const std::string& piece : pieces(value(kText))) {
      if (ESQL(graves_as_apostrophes(piece), 1) != 0) {
        const db::Status failed = dane::database().last_error();
        CLOSESQL();
        MSG_OSTRZEZENIE(failed.text);
        return;
      }
    }
    CLOSESQL();
    ZAPISZDOLOGU(0, "SYSTEM", 1, runtime::cut_to_width(title_, 100));
    MSG_INFORMACJA("Skrypt SQL został wykonany poprawnie!");
  }

  static std::vector<std::string> pieces(std::string_view text) {
    std::vector<std::string> out;
    std::string piece;
    std::size_t at = 0;
    while (at <= text.size()) {
      const std::size_t end = text.find('\n', at);
      const std::string_view line =
          text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at + 1);
      if (separator_line(line.substr(0, line.size() - (line.ends_with('\n') ? 1 : 0)))) {
        if (!blank(piece)) out.push_back(piece);
        piece.clear();
      } else {
        piece += line;
      }
      if (end == std::string_view::npos) break;
      at = end + 1;
    }
    if (!blank(piece)) out.push_back(piece);
    return out;
  }

  std::string title_;
};

}  // namespace

void POKAZSQLWIN(std::string_view text, std::string_view title) {
  SqlTextWindow window(text, title);
  window.set_request(dane::Request::Change);
  dane::run_window(window);
}

}  // namespace keldox
