// The update form as a modal dialog: a line per field in its picture, OK and Anuluj. Leaving a field
// accepts it; a field or a record the form refuses gets the focus back. Date fields open the calendar.
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <vector>

#include "dane/field_text.h"
#include "dane/form.h"
#include "host_context.h"
#include "picture_width.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {
namespace {

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
    auto* fields = new QFormLayout;
    for (const dane::Field& field : form_.fields()) {
      auto* edit = new QLineEdit(to_qt(form_.shown_text(field.name)), this);
      edit->setObjectName(QString::fromStdString(field.name));
      edit->setEnabled(field.enabled && !form_.read_only());
      edit->installEventFilter(this);
      if (field.password) edit->setEchoMode(QLineEdit::Password);
      const runtime::PictureKind kind = runtime::picture_kind(field.picture);
      const int picture_width = picture_chars(field.picture);
      // A text picture keeps no more than its width: stop the typing there rather than cut it on OK.
      if (kind == runtime::PictureKind::text && picture_width > 0) edit->setMaxLength(picture_width);
      if (kind == runtime::PictureKind::number || kind == runtime::PictureKind::exponent)
        edit->setAlignment(Qt::AlignRight);
      const int chars = std::clamp(picture_width, 4, 60);
      edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * (chars + 2));
      auto* label = new QLabel(to_qt(field.label.empty() ? field.name : field.label), this);
      label->setBuddy(edit);
      if (kind == runtime::PictureKind::date) {
        fields->addRow(label, with_calendar_button(edit, field));
      } else {
        fields->addRow(label, edit);
      }
      edits_.push_back(edit);
      shown_.push_back(edit->text());
    }
    layout->addLayout(fields);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName("ok");
    ok_->setDefault(true);
    ok_->setEnabled(form_.ok_enabled());
    // The buttons never take the focus: pressing one must not count as leaving the field being edited.
    ok_->setFocusPolicy(Qt::NoFocus);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel->setObjectName("cancel");
    cancel->setAutoDefault(false);
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

  // The date's line with a button that opens the calendar on the date typed (or today) and puts the chosen
  // date into the field as if typed.
  QWidget* with_calendar_button(QLineEdit* edit, const dane::Field& field) {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    edit->setParent(row);
    line->addWidget(edit, 1);
    auto* button = new QToolButton(row);
    button->setObjectName(QString::fromStdString(field.name) + "_calendar");
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("Kalendarz"));
    button->setEnabled(edit->isEnabled());
    // As the OK button: pressing it is not leaving the field.
    button->setFocusPolicy(Qt::NoFocus);
    line->addWidget(button);
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
      if (!commit(edit)) focus_field(form_.focus());
      finish_if_closed();
    });
    return row;
  }

  QLineEdit* edit_of(std::string_view name) const {
    for (QLineEdit* edit : edits_) {
      if (runtime::same_name(edit->objectName().toStdString(), name)) return edit;
    }
    return nullptr;
  }

  // Hands the field's text to the form, read by its picture, and accepts it; false when the picture cannot
  // read it (the text stays for the user to mend) or the form refused it.
  bool commit(QLineEdit* edit) {
    const std::string name = edit->objectName().toStdString();
    if (!edit->isEnabled()) return true;
    if (form_.enter_text(name, edit->text().toStdString()) == dane::FieldEntry::invalid) return false;
    // The field shows what it now holds in its picture ("1.2.27" becomes "01.02.2027").
    const QString shown = to_qt(form_.shown_text(name));
    if (edit->text() != shown) edit->setText(shown);
    const bool accepted = form_.accept(name);
    remember_shown(edit);
    show_values(edit);
    return accepted;
  }

  // The form has taken the field's text: from now on it counts as shown, not as the user's pending edit.
  void remember_shown(const QLineEdit* edit) {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
      if (edits_[i] == edit) shown_[i] = edit->text();
    }
  }

  void leave_field(const std::string& name) {
    if (form_.closed()) return;
    QLineEdit* edit = edit_of(name);
    if (edit && !commit(edit)) focus_field(form_.focus());
    finish_if_closed();
  }

  void press_ok() {
    if (form_.closed() || !form_.ok_enabled()) return;
    // The field being edited is accepted first, as if the user had left it; then any other field whose
    // text the form has not taken yet, so that nothing typed is lost.
    auto* editing = qobject_cast<QLineEdit*>(focusWidget());
    if (editing && edit_of(editing->objectName().toStdString()) == editing && !commit(editing)) {
      focus_field(form_.focus());
      return;
    }
    for (QLineEdit* edit : edits_) {
      if (!edit->isEnabled() || edit->text() == to_qt(form_.shown_text(edit->objectName().toStdString())))
        continue;
      if (!commit(edit)) {
        focus_field(form_.focus());
        return;
      }
    }
    form_.accept(dane::FormWindow::kOk);
    if (finish_if_closed()) return;
    show_values(nullptr);
    focus_field(form_.focus());
  }

  // The form's checks may change other fields. A field whose text the user has changed since it was last
  // shown keeps that text: it is the user's, not yet taken by the form.
  void show_values(const QLineEdit* except) {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
      QLineEdit* edit = edits_[i];
      if (edit == except || edit->text() != shown_[i]) continue;
      shown_[i] = to_qt(form_.shown_text(edit->objectName().toStdString()));
      if (edit->text() != shown_[i]) edit->setText(shown_[i]);
    }
    ok_->setEnabled(form_.ok_enabled());
  }

  void focus_field(std::string_view name) {
    QLineEdit* edit = edit_of(name);
    if (!edit || !edit->isEnabled()) return;
    returning_focus_ = true;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    returning_focus_ = false;
  }

  bool finish_if_closed() {
    if (!form_.closed()) return false;
    done(form_.response() == dane::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
    return true;
  }

  dane::FormWindow& form_;
  HostContext& context_;
  std::vector<QLineEdit*> edits_;
  std::vector<QString> shown_;  // the text each field last showed from the form
  QPushButton* ok_ = nullptr;
  bool returning_focus_ = false;
};

}  // namespace

void run_form_dialog(dane::FormWindow& window, HostContext& context) {
  FormDialog dialog(window, context);
  dialog.run();
}

}  // namespace ui_qt
