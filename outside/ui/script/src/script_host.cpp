// Scripted answers to the host's boxes and dialogs, with a record of everything shown.
#include "ui_script/script_host.h"

#include <array>
#include <utility>

#include "labels.h"

namespace ui_script {
namespace {

struct StandardButton {
  int code;
  std::string_view polish;
  std::string_view english;
};

constexpr std::array<StandardButton, 7> kStandard{{
    {dane::button::kOk, "OK", "OK"},
    {dane::button::kYes, "Tak", "Yes"},
    {dane::button::kNo, "Nie", "No"},
    {dane::button::kAbort, "Przerwij", "Abort"},
    {dane::button::kRetry, "Ponów", "Retry"},
    {dane::button::kIgnore, "Ignoruj", "Ignore"},
    {dane::button::kCancel, "Anuluj", "Cancel"},
}};

bool contains(std::string_view hay, std::string_view needle) {
  return needle.empty() || hay.find(needle) != std::string_view::npos;
}

}  // namespace

ScriptHost& ScriptHost::answer(std::string_view button, std::string_view expect_title,
                               std::string_view expect_text) {
  Step step;
  step.button = std::string(button);
  step.expect_title = std::string(expect_title);
  step.expect_text = std::string(expect_text);
  add_steps({step});
  return *this;
}

ScriptHost& ScriptHost::choose_file(std::string_view path) {
  Step step;
  step.kind = Step::Kind::ChooseFile;
  step.path = std::string(path);
  add_steps({step});
  return *this;
}

ScriptHost& ScriptHost::cancel_file() {
  Step step;
  step.kind = Step::Kind::CancelFile;
  add_steps({step});
  return *this;
}

void ScriptHost::add_steps(const std::vector<Step>& steps) {
  std::lock_guard lock(mutex_);
  steps_.insert(steps_.end(), steps.begin(), steps.end());
}

void ScriptHost::on_failure(std::function<void(const std::string&)> handler) {
  std::lock_guard lock(mutex_);
  failure_handler_ = std::move(handler);
}

std::vector<std::string> ScriptHost::failures() const {
  std::lock_guard lock(mutex_);
  return failures_;
}

std::vector<Shown> ScriptHost::shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

bool ScriptHost::finished() const {
  return remaining() == 0;
}

std::size_t ScriptHost::remaining() const {
  std::lock_guard lock(mutex_);
  return steps_.size() - next_;
}

std::size_t ScriptHost::record(Shown shown) {
  std::lock_guard lock(mutex_);
  shown_.push_back(std::move(shown));
  return shown_.size() - 1;
}

void ScriptHost::update_window(std::size_t record, Shown state) {
  std::lock_guard lock(mutex_);
  if (record >= shown_.size()) return;
  shown_[record].fields = std::move(state.fields);
  shown_[record].field_buttons = std::move(state.field_buttons);
  shown_[record].headers = std::move(state.headers);
  shown_[record].rows = std::move(state.rows);
}

void ScriptHost::fail(const std::string& message) {
  std::function<void(const std::string&)> handler;
  {
    std::lock_guard lock(mutex_);
    failures_.push_back(message);
    handler = failure_handler_;
  }
  if (handler) handler(message);
}

std::optional<Step> ScriptHost::next_step(const char* kind, std::string_view title, std::string_view text) {
  std::optional<Step> step;
  std::size_t number = 0;
  {
    std::lock_guard lock(mutex_);
    if (next_ < steps_.size()) {
      number = ++next_;
      step = steps_[number - 1];
    }
  }
  const std::string what = std::string(kind) + " \"" + std::string(title) + "\": " + std::string(text);
  if (!step) {
    fail("script ran out at unexpected " + what);
    return std::nullopt;
  }
  if (!contains(title, step->expect_title) || !contains(text, step->expect_text)) {
    fail("step " + std::to_string(number) + " expected \"" + step->expect_title + "\" / \"" +
         step->expect_text + "\" but met " + what);
    return std::nullopt;
  }
  return step;
}

int ScriptHost::message(const dane::MessageBox& box) {
  Shown shown{"message", box.title, box.text, {}, box.default_answer};
  if (box.custom_buttons.empty()) {
    for (const auto& b : kStandard) {
      if (box.buttons & b.code) shown.buttons.emplace_back(b.polish);
    }
  } else {
    shown.buttons = box.custom_buttons;
  }

  if (auto step = next_step("message box", box.title, box.text)) {
    const std::string wanted = plain_label(step->button);
    std::optional<int> answer;
    if (step->kind != Step::Kind::Answer) {
      fail("a file step met the message box \"" + box.title + "\": " + box.text);
    } else if (!box.custom_buttons.empty()) {
      for (std::size_t i = 0; i < box.custom_buttons.size(); ++i) {
        if (plain_label(box.custom_buttons[i]) == wanted) answer = static_cast<int>(i + 1);
      }
    } else {
      for (const auto& b : kStandard) {
        if ((box.buttons & b.code) && (plain_label(b.polish) == wanted || plain_label(b.english) == wanted))
          answer = b.code;
      }
    }
    if (answer) {
      shown.answer = *answer;
    } else if (step->kind == Step::Kind::Answer) {
      fail("the message box \"" + box.title + "\" has no button \"" + step->button + "\": " + box.text);
    }
  }
  const int result = shown.answer;
  record(std::move(shown));
  return result;
}

void ScriptHost::error_window(std::string_view text, std::string_view title) {
  record(Shown{"error", std::string(title), std::string(text), {}, 0});
}

// A progress window that keeps its state in the host's record and stops where the script says.
class ScriptedProgress : public dane::Progress {
 public:
  ScriptedProgress(ScriptHost& host, std::size_t record, std::optional<int> stop_at)
      : host_(host), record_(record), stop_at_(stop_at) {}
  void set_percent(int percent) override {
    percent_ = percent;
    host_.update_progress(record_, percent, nullptr, false);
  }
  void set_text(std::string_view text) override {
    const std::string t(text);
    host_.update_progress(record_, percent_, &t, false);
  }
  void redraw() override {}
  void set_busy_indicator(bool busy) override { host_.set_progress_part(record_, "busy", busy ? "1" : ""); }
  void set_counter(std::string_view counter) override {
    host_.set_progress_part(record_, "counter", counter);
  }
  void allow_cancel() override {
    cancel_offered_ = true;
    host_.update_progress(record_, percent_, nullptr, true);
  }
  bool cancelled() override { return cancel_offered_ && stop_at_ && percent_ >= *stop_at_; }

 private:
  ScriptHost& host_;
  std::size_t record_;
  std::optional<int> stop_at_;
  int percent_ = 0;
  bool cancel_offered_ = false;
};

ScriptHost& ScriptHost::cancel_progress_at(int percent) {
  Step step;
  step.kind = Step::Kind::CancelProgress;
  step.value = std::to_string(percent);
  add_steps({step});
  return *this;
}

std::unique_ptr<dane::Progress> ScriptHost::open_progress(std::string_view title) {
  std::optional<int> stop_at;
  std::size_t index = 0;
  {
    std::lock_guard lock(mutex_);
    if (next_ < steps_.size() && steps_[next_].kind == Step::Kind::CancelProgress) {
      stop_at = std::stoi(steps_[next_].value);
      ++next_;
    }
    index = shown_.size();
    shown_.push_back(Shown{"progress", std::string(title), {}, {}, 0});
  }
  return std::make_unique<ScriptedProgress>(*this, index, stop_at);
}

void ScriptHost::update_progress(std::size_t record, int percent, const std::string* text,
                                 bool offer_cancel) {
  std::lock_guard lock(mutex_);
  if (record >= shown_.size()) return;
  Shown& s = shown_[record];
  s.answer = percent;
  if (text) s.text = *text;
  if (offer_cancel && s.buttons.empty()) s.buttons.emplace_back("Przerwij");
}

void ScriptHost::set_progress_part(std::size_t record, std::string_view part, std::string_view value) {
  std::lock_guard lock(mutex_);
  if (record >= shown_.size()) return;
  std::vector<std::string>& fields = shown_[record].fields;
  const std::string prefix = std::string(part) + "=";
  std::erase_if(fields, [&](const std::string& f) { return f.starts_with(prefix); });
  if (!value.empty()) fields.push_back(prefix + std::string(value));
}

void ScriptHost::set_busy(bool) {}

void ScriptHost::set_status_text(std::string_view text) {
  record(Shown{"status", {}, std::string(text), {}, 0});
}

std::optional<std::string> ScriptHost::choose_file(const dane::FileDialog& dialog) {
  Shown shown{"file", dialog.title, dialog.filters, {}, 0};
  std::optional<std::string> result;
  if (auto step = next_step("file dialog", dialog.title, dialog.filters)) {
    if (step->kind == Step::Kind::ChooseFile) {
      result = step->path;
      shown.answer = 1;
    } else if (step->kind == Step::Kind::Answer) {
      fail("an answer step met the file dialog \"" + dialog.title + "\"");
    }
  }
  record(std::move(shown));
  return result;
}

void ScriptHost::set_clipboard(std::string_view text) {
  std::lock_guard lock(mutex_);
  clipboard_.assign(text);
}

std::string ScriptHost::clipboard() {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

bool ScriptHost::open_with_desktop(std::string_view target) {
  record(Shown{"desktop", {}, std::string(target), {}, 0});
  return true;
}

void ScriptHost::show_help(std::string_view help_file, std::string_view topic) {
  record(Shown{"help", std::string(help_file), std::string(topic), {}, 0});
}

}  // namespace ui_script
