// The update form: a window over one record, opened with a request (insert, change, delete, view), that
// validates fields as they are accepted and the whole record on OK, and sends the focus back to the field
// that failed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/field_kind.h"
#include "dane/window.h"

namespace dane {

// A button beside a field: pressing it accepts `control`, which the form answers in on_button.
struct FieldButton {
  std::string control;
  std::string label;
  bool enabled = true;
};

// A field of the form. `value` is the stored value (a number as "1234.50", a date as its day number); hosts
// show it and read typed text back by `picture` (dane/field_text.h). A password field shows no characters
// and appears masked in any record of what was shown.
struct Field {
  std::string name;
  std::string label;
  std::string picture;
  std::string value;
  bool enabled = true;
  bool password = false;
  FieldKind kind = FieldKind::Text;
  std::vector<std::string> choices{};  // Choice: the values offered, in order
  bool visible = true;                 // a hidden field keeps its value and takes no typing
  std::vector<FieldButton> buttons{};  // after the editor, in order; they replace a date's calendar button
  bool beside_previous = false;        // on the row of the field before it, after that field's buttons
  bool right_aligned = false;          // the text to the right whatever the kind (numbers always are)
};

// The control of a field's lookup button: accepting it asks the form to call the lookup browse.
std::string lookup_control(std::string_view field);
// The field a lookup control belongs to, or an empty text for any other control.
std::string_view lookup_field(std::string_view control);

// What became of a typed text: stored, refused (no such field, disabled, read-only form) or not a value of
// the field's picture.
enum class FieldEntry { taken, refused, invalid };

class FormWindow : public Window {
 public:
  static constexpr std::string_view kOk = "?OK";
  static constexpr std::string_view kCancel = "?Cancel";
  static constexpr std::string_view kViewTitle = "View Record";

  explicit FormWindow(std::string procedure_name);
  Kind kind() const override { return Kind::Form; }

  void add_field(Field field);
  const std::vector<Field>& fields() const { return fields_; }
  const Field* field(std::string_view name) const;
  // The field whose button `control` is, or nullptr.
  const Field* field_of_button(std::string_view control) const;
  std::string value(std::string_view name) const;
  // The value as the user typed it; a disabled field or a read-only form refuses it.
  bool set_value(std::string_view name, std::string_view value);
  // The text as a person typed it, read back by the field's picture. A text the picture cannot read keeps
  // the stored value, sends the focus to the field and warns "Niepoprawna wartość pola <label>" through the
  // host. The text the field shows for its stored value keeps that value as it is, so that passing through
  // a field never rounds or cuts what it holds.
  FieldEntry enter_text(std::string_view name, std::string_view typed);
  // The text the field shows for its stored value.
  std::string shown_text(std::string_view name) const;
  // Field history: the value the field had when the form opened.
  std::string original(std::string_view name) const;
  // Shows or hides a field (a hidden field refuses typing).
  bool set_visible(std::string_view name, bool visible);
  bool set_enabled(std::string_view name, bool enabled);

  // The part of a field's text the user has selected, in characters (start inclusive, end exclusive), as
  // the host reports it before a button of the form runs; an empty selection when none was reported.
  struct Selection {
    std::size_t start = 0;
    std::size_t end = 0;
  };
  void set_selection(std::string_view name, Selection selection);
  Selection selection(std::string_view name) const;

  // Read-only: every editable control and OK disabled; the user can look but not save.
  void set_read_only(bool read_only);
  bool read_only() const { return read_only_; }
  bool ok_enabled() const { return !read_only_ && ok_shown_; }

  // The closing buttons: OK, which a window that only shows figures hides, and the cancelling one, whose
  // text such a window changes ("Zamknij"). A hidden OK refuses to be pressed.
  void set_closing_buttons(std::string ok_text, std::string cancel_text, bool ok_shown = true);
  const std::string& ok_text() const { return ok_text_; }
  const std::string& cancel_text() const { return cancel_text_; }
  bool ok_shown() const { return ok_shown_; }

  // Titles by mode; view mode always shows "View Record".
  void set_mode_titles(std::string insert_title, std::string change_title);

 protected:
  // Defaults of a new record (insert mode).
  virtual void prime() {}
  // Loads the fields from the record buffer (change, delete, view).
  virtual void load() {}
  // Checks a field when it is accepted; false keeps the focus on it.
  virtual bool validate_field(std::string_view) { return true; }
  // Checks the record on OK: the name of the field to send the focus to, or nothing when all is well.
  virtual std::optional<std::string> validate_record() { return std::nullopt; }
  // Writes the record as the request says; false keeps the form open.
  virtual bool save() { return true; }
  // The lookup button of a field was pressed (its control is lookup_control(field)).
  virtual void on_lookup(std::string_view) {}
  // A field's button was pressed: an enabled button of a visible field of an editable form. A button's
  // own state decides, not its field's, so that a read-only field may still offer one (open a web page).
  virtual void on_button(std::string_view /*field*/, std::string_view /*control*/) {}

  bool initialise() override;
  bool take_accepted(std::string_view control) override;
  Field* mutable_field(std::string_view name);

 private:
  std::vector<Field> fields_;
  std::vector<std::string> originals_;
  std::vector<std::pair<std::string, Selection>> selections_;
  bool read_only_ = false;
  bool ok_shown_ = true;
  std::string ok_text_ = "OK";
  std::string cancel_text_ = "Anuluj";
  std::string insert_title_;
  std::string change_title_;
};

}  // namespace dane
