// Reading a script file into steps.
#include <string>
#include <vector>

#include "dane/field_text.h"
#include "ui_script/script_host.h"

namespace ui_script {
namespace {

// Splits a line into words; double quotes group words and "" inside them stands for one quote.
std::optional<std::vector<std::string>> words_of(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            word.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        word.push_back(line[i++]);
      }
      if (!closed) return std::nullopt;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word.push_back(line[i++]);
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

std::optional<std::vector<Step>> ScriptHost::parse(std::string_view script, std::string* error) {
  std::vector<Step> steps;
  std::size_t line_number = 0;
  std::size_t start = 0;
  while (start <= script.size()) {
    const std::size_t end = std::min(script.find('\n', start), script.size());
    std::string_view line = script.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++line_number;
    start = end + 1;

    const auto words = words_of(line);
    auto refuse = [&](const std::string& why) {
      if (error) *error = "line " + std::to_string(line_number) + ": " + why;
      return std::nullopt;
    };
    if (!words) return refuse("unclosed quote");
    if (words->empty()) continue;
    const auto& w = *words;
    Step step;
    if (w[0] == "answer" && w.size() >= 2 && w.size() <= 4) {
      step.button = w[1];
      if (w.size() > 2) step.expect_title = w[2];
      if (w.size() > 3) step.expect_text = w[3];
    } else if (w[0] == "file" && w.size() == 2) {
      step.kind = Step::Kind::ChooseFile;
      step.path = w[1];
    } else if (w[0] == "cancel-file" && w.size() == 1) {
      step.kind = Step::Kind::CancelFile;
    } else if (w[0] == "date" && w.size() == 2) {
      if (!dane::calendar_date_from_text(w[1])) return refuse("expected a date dd.mm.yyyy: " + w[1]);
      step.kind = Step::Kind::ChooseDate;
      step.value = w[1];
    } else if (w[0] == "cancel-date" && w.size() == 1) {
      step.kind = Step::Kind::ChooseDate;
    } else if (w[0] == "browse" && w.size() >= 2 && w[1] == "sort") {
      if (w.size() < 3 || w.size() > 4) return refuse("expected browse sort COLUMN [ctrl|shift]");
      if (w.size() == 4 && w[3] != "ctrl" && w[3] != "shift")
        return refuse("expected ctrl or shift: " + w[3]);
      step.kind = Step::Kind::Browse;
      step.action = w[1];
      step.column = w[2];
      if (w.size() == 4) step.value = w[3];
    } else if (w[0] == "browse" && w.size() >= 2 &&
               (w[1] == "key" || w[1] == "action" || w[1] == "order" || w[1] == "locate" ||
                w[1] == "click")) {
      if (w.size() != 3) return refuse("expected browse " + w[1] + " and one argument");
      step.kind = Step::Kind::Browse;
      step.action = w[1];
      step.value = w[2];
      if (w[1] == "click") step.column = w[2];
    } else if (w[0] == "browse" && (w.size() == 2 || w.size() == 3)) {
      step.kind = Step::Kind::Browse;
      step.action = w[1];
      if (w.size() == 3) {
        const auto eq = w[2].find('=');
        if (eq == std::string::npos) return refuse("expected COLUMN=VALUE: " + w[2]);
        step.column = w[2].substr(0, eq);
        step.value = w[2].substr(eq + 1);
      }
    } else if (w[0] == "form" && w.size() == 4 && w[1] == "set") {
      step.kind = Step::Kind::Form;
      step.action = "set";
      step.column = w[2];
      step.value = w[3];
    } else if (w[0] == "form" && w.size() == 5 && w[1] == "select") {
      step.kind = Step::Kind::Form;
      step.action = "select";
      step.column = w[2];
      step.value = w[3] + " " + w[4];
    } else if (w[0] == "form" && w.size() == 3 && (w[1] == "lookup" || w[1] == "press")) {
      step.kind = Step::Kind::Form;
      step.action = w[1];
      step.column = w[2];
    } else if (w[0] == "form" && w.size() == 2 && (w[1] == "ok" || w[1] == "cancel")) {
      step.kind = Step::Kind::Form;
      step.action = w[1];
    } else if (w[0] == "popup" && w.size() == 2) {
      step.kind = Step::Kind::Popup;
      step.action = w[1];
    } else if (w[0] == "popup-dismiss" && w.size() == 1) {
      step.kind = Step::Kind::Popup;
    } else if (w[0] == "tool" && w.size() == 2) {
      step.kind = Step::Kind::Tool;
      step.action = w[1];
    } else if (w[0] == "hover" && w.size() == 2) {
      step.kind = Step::Kind::Hover;
      step.column = w[1];
    } else if (w[0] == "cancel-progress" && w.size() == 2) {
      const std::string& p = w[1];
      if (p.empty() || p.size() > 3 || p.find_first_not_of("0123456789") != std::string::npos)
        return refuse("expected a percent 0..100: " + p);
      step.kind = Step::Kind::CancelProgress;
      step.value = p;
    } else if (w[0] == "help" && w.size() == 1) {
      step.kind = Step::Kind::Help;
    } else if (w[0] == "close" && w.size() == 1) {
      step.kind = Step::Kind::Close;
    } else {
      return refuse("not understood: " + std::string(line));
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace ui_script
