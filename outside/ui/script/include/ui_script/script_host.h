// The scripted host: answers what a person would, from a script, and records every box and window shown.
// Tests drive whole operations through it; the main program uses it to run headless.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/header_sorter.h"
#include "dane/host.h"

namespace ui_script {

// One thing the system showed, and what the script answered.
struct Shown {
  // "message", "error", "progress", "file", "desktop", "help", "popup", "tooltip", "browse", "form",
  // "status" (a text for the main window's status line), ...
  std::string kind;
  std::string title;
  // A popup's icon names, one per item, joined by "|" ("" for none); a progress window's last text; a
  // window's procedure name
  std::string text;
  // Box buttons; a popup's labels ("" for a separator); a window's toolbar labels, a form's then its
  // closing buttons ("OK", "Anuluj"); "Przerwij" when a
  // progress window offers to stop
  std::vector<std::string> buttons;
  // The code of the button; a popup's 1-based item, 0 when dismissed; a progress window's last percent; a
  // calendar's chosen day number, 0 when cancelled
  int answer = 0;
  // A form's visible fields as "NAME=text shown", a password field masked ("***"); kept up to date as the
  // script acts in the form. A progress window's parts beside its bar: "busy=1" while it shows a busy
  // indicator, "counter=12 / 40"
  std::vector<std::string> fields{};
  // A form's buttons beside its visible fields as "CONTROL=label", a disabled one followed by " (-)"
  std::vector<std::string> field_buttons{};
  // A browse's headers as the list shows them, in the user's column order, with the header sorter's marks
  // ("Nazwa[+]"); kept up to date like a form's fields
  std::vector<std::string> headers{};
  // A browse's visible page, one row each: its shown cells in the headers' order joined by " | ", each in
  // its picture without padding, an icon cell as the icon's name ("~32redchk.ico"), a flag without its icon
  // as ""
  std::vector<std::string> rows{};
};

// One scripted answer. A button is named by its text: "Tak"/"Yes", "Nie"/"No", "OK", "Anuluj"/"Cancel",
// "Ponów"/"Retry", "Ignoruj"/"Ignore", "Przerwij"/"Abort", or the text of a custom button.
// Expectations, when given, must be contained in the box's title and text.
// A form's "set" step types the text as a person would, in the field's picture ("07.12.2026" into a date
// field, "1 234,50" into a number): the form reads it back into the stored value. A text the picture cannot
// read brings up the form's warning box, which the script must answer like any other box.
// A date step answers a calendar with a date "dd.mm.yyyy", or cancels it when the date is empty.
// A popup step chooses the item of a popup menu by its label (without "&", ignoring case), or dismisses it.
// Window steps act on the window that waits for the user: in a browse, a record action on the row whose
// column equals a value (or the current row), a click on a column's header, a key, an action by name, a
// sort tab or the locator; in a form, set a field (which accepts it), press a field's lookup button, or
// press OK/cancel.
struct Step {
  enum class Kind {
    Answer,
    ChooseFile,
    CancelFile,
    Browse,
    Form,
    Close,
    Popup,
    Tool,            // press the toolbar button `action` of the waiting window
    Hover,           // rest the pointer on the control `column`: its tooltip is recorded
    CancelProgress,  // the next progress window is stopped once it reaches `value` per cent
    Help,            // F1 in the waiting window
    ChooseDate,      // `value` is the date "dd.mm.yyyy" to choose; empty cancels the calendar
  } kind = Kind::Answer;
  std::string button;
  std::string path;
  // browse: select, pick, insert, change, delete, view, popup, close, sort, key, action, order, locate;
  // form: set, lookup, press, ok, cancel; popup: the label to choose (empty: dismiss)
  std::string action;
  std::string column;  // browse row column, the column whose header a sort clicks, form field or button
  // the row's value; a sort's modifier ("ctrl", "shift" or ""); the key, action, order or locator text
  std::string value;
  std::string expect_title;
  std::string expect_text;
};

class ScriptedProgress;

class ScriptHost : public dane::Host {
 public:
  ScriptHost() = default;

  ScriptHost& answer(std::string_view button, std::string_view expect_title = {},
                     std::string_view expect_text = {});
  ScriptHost& choose_file(std::string_view path);
  ScriptHost& cancel_file();
  ScriptHost& choose_date(std::string_view date);
  ScriptHost& cancel_date();
  ScriptHost& browse(std::string_view action, std::string_view column = {}, std::string_view value = {});
  // A click on the header of the column named by its field, with Ctrl or Shift held.
  ScriptHost& browse_sort(std::string_view column, dane::ClickModifier modifier = dane::ClickModifier::None);
  ScriptHost& browse_key(std::string_view key);  // "F4", "Ctrl+B", "Insert", "Enter" ...
  ScriptHost& browse_action(std::string_view name);
  // A click in the current row's cell of the column named by its field (fails when nothing came of it).
  ScriptHost& browse_click(std::string_view column);
  ScriptHost& browse_order(std::string_view name);
  ScriptHost& browse_locate(std::string_view text);
  ScriptHost& form_set(std::string_view field, std::string_view value);
  ScriptHost& form_lookup(std::string_view field);
  // A button beside a field, named by its control.
  ScriptHost& form_press(std::string_view control);
  // Selects characters START (inclusive) to END (exclusive) of a field's text, as a person would with the
  // mouse before pressing a button.
  ScriptHost& form_select(std::string_view field, std::size_t start, std::size_t end);
  ScriptHost& form_ok();
  ScriptHost& form_cancel();
  ScriptHost& close_window();
  ScriptHost& popup(std::string_view label);
  ScriptHost& dismiss_popup();
  ScriptHost& tool(std::string_view button);
  ScriptHost& hover(std::string_view control);
  ScriptHost& press_help();
  // Applies to the next progress window opened: it reports "cancelled" from `percent` on. A progress window
  // that opens while another step is next is not stopped and takes no step.
  ScriptHost& cancel_progress_at(int percent);

  // Reads a script: one step per line, `#` starts a comment, arguments may be double-quoted:
  //   answer BUTTON [TITLE_CONTAINS [TEXT_CONTAINS]]
  //   file PATH
  //   cancel-file
  //   date DD.MM.YYYY | cancel-date
  //   browse ACTION [COLUMN=VALUE]        (select, pick, insert, change, delete, view, popup, close)
  //   browse sort COLUMN [ctrl|shift]     (a click on the column's header, with the key held; fails
  //                                        without a header sorter or when the list shows no such column)
  //   browse key KEY                      ("F4", "Ctrl+B", "Insert", "Enter": fails when no action runs)
  //   browse action NAME                  (an action by name: fails when it is not available)
  //   browse order NAME                   (the sort tab of that name: fails when there is none)
  //   browse locate TEXT                  (typed into the locator; "" empties it)
  //   browse click COLUMN                 (a click in the current row's cell: fails when nothing came of it)
  //   popup LABEL | popup-dismiss
  //   tool BUTTON                         (a toolbar button of the waiting window)
  //   hover CONTROL                       (records the control's tooltip)
  //   help                                (F1: the window's help topic is recorded)
  //   cancel-progress PERCENT
  //   form set FIELD TEXT | form ok | form cancel
  //   form lookup FIELD                   (the lookup button beside the field)
  //   form press CONTROL                  (a button beside a field: fails when hidden or disabled)
  //   form select FIELD START END         (characters START to END of the field's text selected)
  //   close
  // Gives nothing and sets `error` (with the line number) when a line is not understood.
  static std::optional<std::vector<Step>> parse(std::string_view script, std::string* error);
  void add_steps(const std::vector<Step>& steps);

  // A box the script did not expect, or one that breaks an expectation, is a failure: it is recorded,
  // reported to the handler (tests turn it into a test failure) and answered with the box's default, so
  // that nothing ever waits.
  void on_failure(std::function<void(const std::string&)> handler);
  std::vector<std::string> failures() const;
  std::vector<Shown> shown() const;
  bool finished() const;
  std::size_t remaining() const;

  int message(const dane::MessageBox& box) override;
  void error_window(std::string_view text, std::string_view title) override;
  std::unique_ptr<dane::Progress> open_progress(std::string_view title) override;
  void set_busy(bool busy) override;
  std::optional<std::string> choose_file(const dane::FileDialog& dialog) override;
  void set_clipboard(std::string_view text) override;
  std::string clipboard() override;
  bool open_with_desktop(std::string_view target) override;
  void show_help(std::string_view help_file, std::string_view topic) override;
  void run_window(dane::Window& window) override;
  std::optional<std::size_t> popup_menu(const std::vector<dane::MenuItem>& items) override;
  std::optional<runtime::DayNumber> choose_date(std::string_view title, runtime::DayNumber initial) override;
  // Recorded as a shown item of kind "status" with the text; no step answers it.
  void set_status_text(std::string_view text) override;

 private:
  bool apply(const Step& step, std::size_t number, dane::Window& window);
  // Records and gives the record's index.
  std::size_t record(Shown shown);
  // A window's record takes the window's state again: a form's fields, a browse's headers and rows.
  void update_window(std::size_t record, Shown state);
  void fail(const std::string& message);
  std::optional<Step> next_step(const char* kind, std::string_view title, std::string_view text);

  friend class ScriptedProgress;
  // A progress window's state, kept in its record: last percent, text, the stop offered.
  void update_progress(std::size_t record, int percent, const std::string* text, bool offer_cancel);
  // A progress window's part shown beside its bar ("busy", "counter"), kept as "part=value" in its fields.
  void set_progress_part(std::size_t record, std::string_view part, std::string_view value);

  mutable std::mutex mutex_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  std::vector<Shown> shown_;
  std::vector<std::string> failures_;
  std::function<void(const std::string&)> failure_handler_;
  std::string clipboard_;
};

}  // namespace ui_script
