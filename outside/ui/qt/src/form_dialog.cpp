// The update form as a modal dialog: each field as its kind is edited (a line in its picture, a drop list,
// a check box, several lines), OK and Anuluj. Leaving a field accepts it; a field or a record the form
// refuses gets the focus back. Date fields open the calendar, lookup fields call their browse.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "dane/field_text.h"
#include "dane/form.h"
#include "host_context.h"
#include "picture_width.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "ui_qt/icons.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {
namespace {

// The widgets of one field. Exactly one of line, memo, combo and check is set: the editor, named as the
// field, that takes the focus.
struct FieldControl {
  std::string name;
  QWidget* editor = nullptr;
  QLineEdit* line = nullptr;
  QPlainTextEdit* memo = nullptr;
  QComboBox* combo = nullptr;
  QCheckBox* check = nullptr;
  QToolButton* button = nullptr;      // the calendar or the lookup beside the line
  QWidget* row = nullptr;             // what the form's layout holds: the editor, or it with its buttons
  QHBoxLayout* row_layout = nullptr;  // set when the row is a container
  std::vector<std::pair<std::string, QPushButton*>> field_buttons;  // the field's own, by control
  bool beside = false;  // shown on the row of a field before it, not a row of its own
  QString shown;        // the text the line or memo last showed from the form

  // A text the user types (line, memo); drop lists and check boxes hand their value over at once.
  bool typed() const { return line != nullptr || memo != nullptr; }
  QString text() const { return line ? line->text() : memo ? memo->toPlainText() : QString(); }
  void set_text(const QString& text) const {
    if (line) line->setText(text);
    if (memo) memo->setPlainText(text);
  }
};

class FormDialog : public QDialog {
 public:
  FormDialog(dane::FormWindow& form, HostContext& context)
      : QDialog(dialog_parent()), form_(form), context_(context) {
    setObjectName(QString::fromStdString(form.procedure_name()));
    setWindowTitle(to_qt(form.title()));
    setSizeGripEnabled(true);
    build();
    add_toolbar(*this, *static_cast<QBoxLayout*>(layout()), form_, [this] {
      if (!finish_if_closed()) show_values(nullptr);
    });
    apply_tooltips(*this, form_);
    add_help_key(*this, form_);
    show_values(nullptr);
  }

  void run() {
    restore_geometry(*this, *context_.geometry, form_.procedure_name(), sizeHint().width(),
                     sizeHint().height());
    context_.screenshots.watch(this, "form", form_.procedure_name());
    focus_field(form_.focus());
    if (!form_.closed()) exec();
    save_geometry(*this, *context_.geometry, form_.procedure_name());
  }

  // Esc and the title bar's close button ask the form; it may stay open.
  void reject() override {
    form_.request_close();
    finish_if_closed();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // With no other field to go to Tab stays put, and what was typed would never be taken until OK.
      if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && typing_fields() == 1) {
        const QString name = watched->objectName();
        QTimer::singleShot(0, this, [this, name] { leave_field(name.toStdString()); });
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut && !returning_focus_) {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      // Another window or a popup coming up is not the user leaving the field.
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        const QString name = watched->objectName();
        // After the focus has settled, so that a box the check shows does not cut into the focus change.
        QTimer::singleShot(0, this, [this, name] { leave_field(name.toStdString()); });
      }
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  void build() {
    auto* layout = new QVBoxLayout(this);
    fields_ = new QFormLayout;
    const std::vector<dane::Field>& fields = form_.fields();
    QHBoxLayout* last_row = nullptr;  // the row a field shown beside the one before it goes into
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const dane::Field& field = fields[i];
      FieldControl control = make_control(field);
      control.editor->setObjectName(QString::fromStdString(field.name));
      const bool followed = i + 1 < fields.size() && fields[i + 1].beside_previous;
      if (!field.buttons.empty() || followed) as_container(control);
      add_field_buttons(control, field);
      if (field.beside_previous && last_row != nullptr) {
        control.beside = true;
        // The field beside takes the row's spare room; the one it follows (an operator, a unit) keeps its
        // own width.
        last_row->setStretch(0, 0);
        last_row->addWidget(control.row, 1);
      } else {
        auto* label = new QLabel(to_qt(field.label.empty() ? field.name : field.label), this);
        label->setBuddy(control.editor);
        fields_->addRow(label, control.row);
        last_row = control.row_layout;
      }
      controls_.push_back(control);
    }
    layout->addLayout(fields_);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(to_qt(form_.ok_text()), this);
    ok_->setObjectName("ok");
    ok_->setDefault(form_.ok_shown());
    ok_->setVisible(form_.ok_shown());
    ok_->setEnabled(form_.ok_enabled());
    // The buttons never take the focus: pressing one must not count as leaving the field being edited.
    ok_->setFocusPolicy(Qt::NoFocus);
    auto* cancel = new QPushButton(to_qt(form_.cancel_text()), this);
    cancel->setObjectName("cancel");
    cancel->setAutoDefault(false);
    cancel->setDefault(!form_.ok_shown());
    cancel->setFocusPolicy(Qt::NoFocus);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, [this] { press_ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
      form_.accept(dane::FormWindow::kCancel);
      finish_if_closed();
    });
  }

  // The fields the focus can go to now.
  int typing_fields() const {
    return static_cast<int>(std::count_if(controls_.begin(), controls_.end(), [](const FieldControl& c) {
      return c.editor->isVisible() && c.editor->isEnabled() && (c.editor->focusPolicy() & Qt::TabFocus);
    }));
  }

  FieldControl make_control(const dane::Field& field) {
    FieldControl control;
    control.name = field.name;
    const std::string name = field.name;
    switch (field.kind) {
      case dane::FieldKind::Check: {
        control.check = new QCheckBox(this);
        connect(control.check, &QCheckBox::toggled, this, [this, name](bool on) {
          if (!updating_) hand_over(name, on ? "1" : "0");
        });
        control.editor = control.row = control.check;
        return control;
      }
      case dane::FieldKind::Choice: {
        control.combo = new QComboBox(this);
        for (const std::string& choice : field.choices) control.combo->addItem(to_qt(choice));
        // Connected once filled: filling the list is no choice of the user's.
        connect(control.combo, &QComboBox::currentIndexChanged, this, [this, name](int index) {
          const dane::Field* f = form_.field(name);
          if (updating_ || !f || index < 0 || static_cast<std::size_t>(index) >= f->choices.size()) return;
          hand_over(name, f->choices[static_cast<std::size_t>(index)]);
        });
        control.editor = control.row = control.combo;
        return control;
      }
      case dane::FieldKind::Memo: {
        control.memo = new QPlainTextEdit(this);
        control.memo->setTabChangesFocus(true);
        control.memo->setMinimumHeight(control.memo->fontMetrics().lineSpacing() * 4);
        control.memo->installEventFilter(this);
        control.editor = control.row = control.memo;
        return control;
      }
      default:
        break;
    }
    auto* edit = new QLineEdit(this);
    control.line = edit;
    control.editor = control.row = edit;
    edit->installEventFilter(this);
    if (field.password) edit->setEchoMode(QLineEdit::Password);
    const runtime::PictureKind kind = runtime::picture_kind(field.picture);
    const int picture_width = picture_chars(field.picture);
    // A text picture keeps no more than its width: stop the typing there rather than cut it on OK.
    if (kind == runtime::PictureKind::text && picture_width > 0) edit->setMaxLength(picture_width);
    if (field.right_aligned || field.kind == dane::FieldKind::Number ||
        kind == runtime::PictureKind::number || kind == runtime::PictureKind::exponent)
      edit->setAlignment(Qt::AlignRight);
    const int chars = std::clamp(picture_width, 4, 60);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * (chars + 2));
    if (field.kind == dane::FieldKind::Lookup) {
      with_lookup_button(control);
    } else if ((field.kind == dane::FieldKind::Date || kind == runtime::PictureKind::date) &&
               field.buttons.empty()) {
      with_calendar_button(control, field);
    }
    return control;
  }

  // The line in a row with a tool button after it that never takes the focus: pressing it is not leaving
  // the field.
  QToolButton* beside(FieldControl& control) {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    control.line->setParent(row);
    line->addWidget(control.line, 1);
    auto* button = new QToolButton(row);
    button->setFocusPolicy(Qt::NoFocus);
    line->addWidget(button);
    control.row = row;
    control.row_layout = line;
    control.button = button;
    return button;
  }

  // The field's editor (with any tool button) in a row that more widgets can join.
  void as_container(FieldControl& control) {
    if (control.row_layout != nullptr) return;
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    control.row->setParent(row);
    line->addWidget(control.row, 1);
    control.row = row;
    control.row_layout = line;
  }

  // The field's own buttons after its editor. A text typed and not yet taken goes to the form first, as
  // if the field were left; a value the button puts in replaces what the line shows.
  void add_field_buttons(FieldControl& control, const dane::Field& field) {
    for (const dane::FieldButton& b : field.buttons) {
      auto* button = new QPushButton(to_qt(b.label), control.row);
      button->setObjectName(QString::fromStdString(b.control));
      button->setAutoDefault(false);
      button->setFocusPolicy(Qt::NoFocus);
      control.row_layout->addWidget(button);
      control.field_buttons.emplace_back(b.control, button);
      const std::string name = field.name;
      const std::string pressed = b.control;
      connect(button, &QPushButton::clicked, this, [this, name, pressed] {
        if (form_.closed()) return;
        FieldControl* c = control_of(name);
        if (c && c->typed() && c->text() != c->shown && !commit(*c)) {
          focus_field(form_.focus());
          return;
        }
        if (c && c->memo) report_selection(name, *c->memo);
        const std::string before = form_.value(name);
        form_.accept(pressed);
        if (finish_if_closed()) return;
        c = control_of(name);
        if (c && c->typed() && form_.value(name) != before) {
          c->shown = to_qt(form_.shown_text(name));
          c->set_text(c->shown);
        }
        show_values(nullptr);
      });
    }
  }

  // The memo's selection in characters (the widget counts UTF-16 units), for a button that works on it.
  void report_selection(const std::string& name, const QPlainTextEdit& memo) {
    const QTextCursor cursor = memo.textCursor();
    const QString text = memo.toPlainText();
    const auto characters = [&](int units) {
      return static_cast<std::size_t>(text.left(units).toUcs4().size());
    };
    form_.set_selection(name, {characters(cursor.selectionStart()), characters(cursor.selectionEnd())});
  }

  // The date's line with a button that opens the calendar on the date typed (or today) and puts the chosen
  // date into the field as if typed.
  void with_calendar_button(FieldControl& control, const dane::Field& field) {
    QToolButton* button = beside(control);
    button->setObjectName(QString::fromStdString(field.name) + "_calendar");
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("Kalendarz"));
    QLineEdit* edit = control.line;
    const std::string picture = field.picture;
    const std::string title = field.label.empty() ? field.name : field.label;
    connect(button, &QToolButton::clicked, this, [this, edit, picture, title] {
      if (form_.closed()) return;
      runtime::DayNumber initial = 0;
      if (const auto typed = dane::field_value_from_typed(picture, edit->text().toStdString()))
        std::from_chars(typed->data(), typed->data() + typed->size(), initial);
      const std::optional<runtime::DayNumber> chosen = show_calendar_dialog(title, initial, context_);
      if (!chosen) return;
      edit->setText(to_qt(dane::field_shown_text(picture, std::to_string(*chosen))));
      FieldControl* c = control_of(edit->objectName().toStdString());
      if (c && !commit(*c)) focus_field(form_.focus());
      finish_if_closed();
    });
  }

  // The lookup's line with the folder button that asks the form to call the lookup browse. A key chosen
  // there replaces what was typed; when nothing is chosen the typed text stays for the user.
  void with_lookup_button(FieldControl& control) {
    QToolButton* button = beside(control);
    button->setObjectName("lookup_" + QString::fromStdString(control.name));
    button->setIcon(program_icon("~folder.ico"));
    button->setToolTip(QStringLiteral("Wybierz z listy"));
    const std::string name = control.name;
    connect(button, &QToolButton::clicked, this, [this, name] {
      if (form_.closed()) return;
      const std::string before = form_.value(name);
      form_.accept(dane::lookup_control(name));
      if (finish_if_closed()) return;
      FieldControl* c = control_of(name);
      if (c && form_.value(name) != before) {
        c->shown = to_qt(form_.shown_text(name));
        c->set_text(c->shown);
      }
      show_values(nullptr);
    });
  }

  FieldControl* control_of(std::string_view name) {
    for (FieldControl& c : controls_) {
      if (runtime::same_name(c.name, name)) return &c;
    }
    return nullptr;
  }

  // A drop list's choice or a check box's state goes to the form at once and is accepted as if the field
  // were left; a refusal shows the form's value again.
  void hand_over(const std::string& name, const std::string& value) {
    if (form_.closed()) return;
    const dane::FieldEntry entry = form_.enter_text(name, value);
    if (entry == dane::FieldEntry::taken && !form_.accept(name)) focus_field(form_.focus());
    if (!finish_if_closed()) show_values(nullptr);
  }

  // Hands a typed field's text to the form, read by its picture, and accepts it; false when the picture
  // cannot read it (the text stays for the user to mend) or the form refused it.
  bool commit(FieldControl& control) {
    const dane::Field* field = form_.field(control.name);
    if (!control.typed() || !field || !field->enabled || !field->visible || form_.read_only()) return true;
    const std::string& name = control.name;
    if (form_.enter_text(name, control.text().toStdString()) == dane::FieldEntry::invalid) return false;
    // The field shows what it now holds in its picture ("1.2.27" becomes "01.02.2027").
    const QString shown = to_qt(form_.shown_text(name));
    if (control.text() != shown) control.set_text(shown);
    control.shown = shown;
    const bool accepted = form_.accept(name);
    show_values(control.editor);
    return accepted;
  }

  void leave_field(const std::string& name) {
    if (form_.closed()) return;
    FieldControl* control = control_of(name);
    if (control && !commit(*control)) focus_field(form_.focus());
    finish_if_closed();
  }

  void press_ok() {
    if (form_.closed() || !form_.ok_enabled()) return;
    // The field being edited is accepted first, as if the user had left it; then any other field whose
    // text the form has not taken yet, so that nothing typed is lost.
    QWidget* editing = focusWidget();
    for (FieldControl& control : controls_) {
      if (control.editor == editing && !commit(control)) {
        focus_field(form_.focus());
        return;
      }
    }
    for (FieldControl& control : controls_) {
      if (!control.typed() || control.text() == to_qt(form_.shown_text(control.name))) continue;
      if (!commit(control)) {
        focus_field(form_.focus());
        return;
      }
    }
    form_.accept(dane::FormWindow::kOk);
    if (finish_if_closed()) return;
    show_values(nullptr);
    focus_field(form_.focus());
  }

  // After every step the form may have shown, hidden, switched or changed any field (a check box may
  // bring up another field). A typed field whose text the user has changed since it was last shown keeps
  // that text: it is the user's, not yet taken by the form.
  void show_values(const QWidget* except) {
    updating_ = true;
    for (FieldControl& control : controls_) {
      const dane::Field* field = form_.field(control.name);
      if (!field) continue;
      const bool enabled = field->enabled && !form_.read_only();
      if (control.beside) {
        control.row->setVisible(field->visible);
      } else {
        fields_->setRowVisible(control.row, field->visible);
      }
      control.editor->setEnabled(enabled);
      if (control.button) control.button->setEnabled(enabled);
      for (const auto& [name, button] : control.field_buttons) {
        bool on = !form_.read_only();
        for (const dane::FieldButton& b : field->buttons) {
          if (b.control == name) on = on && b.enabled;
        }
        button->setEnabled(on);
      }
      if (control.check) control.check->setChecked(runtime::trim(field->value) == "1");
      if (control.combo) control.combo->setCurrentIndex(choice_index(*field));
      if (!control.typed() || control.editor == except || control.text() != control.shown) continue;
      control.shown = to_qt(form_.shown_text(control.name));
      if (control.text() != control.shown) control.set_text(control.shown);
    }
    updating_ = false;
    ok_->setEnabled(form_.ok_enabled());
  }

  static int choice_index(const dane::Field& field) {
    for (std::size_t i = 0; i < field.choices.size(); ++i) {
      if (runtime::trim_right(field.choices[i]) == runtime::trim_right(field.value))
        return static_cast<int>(i);
    }
    return -1;
  }

  void focus_field(std::string_view name) {
    const FieldControl* control = control_of(name);
    if (!control || !control->editor->isEnabled() || !control->editor->isVisibleTo(this)) return;
    returning_focus_ = true;
    control->editor->setFocus(Qt::OtherFocusReason);
    if (control->line) control->line->selectAll();
    returning_focus_ = false;
  }

  bool finish_if_closed() {
    if (!form_.closed()) return false;
    done(form_.response() == dane::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
    return true;
  }

  dane::FormWindow& form_;
  HostContext& context_;
  QFormLayout* fields_ = nullptr;
  std::vector<FieldControl> controls_;
  QPushButton* ok_ = nullptr;
  bool returning_focus_ = false;
  bool updating_ = false;  // the dialog itself sets drop lists and check boxes: no step of the form
};

}  // namespace

void run_form_dialog(dane::FormWindow& window, HostContext& context) {
  FormDialog dialog(window, context);
  dialog.run();
}

}  // namespace ui_qt
