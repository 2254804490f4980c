// Message boxes in Polish: standard buttons by code, custom buttons by text, the default and escape buttons.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

#include "host_context.h"

namespace ui_qt {
namespace {

struct StandardButton {
  int code;
  const char* text;
  QMessageBox::ButtonRole role;
};

// In the order they stand in a box.
constexpr StandardButton kStandardButtons[] = {
    {dane::button::kYes, "Tak", QMessageBox::YesRole},
    {dane::button::kNo, "Nie", QMessageBox::NoRole},
    {dane::button::kOk, "OK", QMessageBox::AcceptRole},
    {dane::button::kRetry, "Ponów", QMessageBox::ActionRole},
    {dane::button::kIgnore, "Ignoruj", QMessageBox::ActionRole},
    {dane::button::kAbort, "Przerwij", QMessageBox::RejectRole},
    {dane::button::kCancel, "Anuluj", QMessageBox::RejectRole},
};

QMessageBox::Icon qt_icon(dane::Icon icon) {
  switch (icon) {
    case dane::Icon::Question:
      return QMessageBox::Question;
    case dane::Icon::Information:
      return QMessageBox::Information;
    case dane::Icon::Exclamation:
      return QMessageBox::Warning;
    case dane::Icon::Error:
      return QMessageBox::Critical;
    case dane::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

std::string box_text(const std::string& text) {
  std::string out;
  for (const auto& line : dane::split_bar_list(text)) {
    if (!out.empty()) out += '\n';
    out += line;
  }
  return out;
}

}  // namespace

QWidget* dialog_parent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

QString to_qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int show_message_box(const dane::MessageBox& box, HostContext& context) {
  QMessageBox qbox(dialog_parent());
  qbox.setWindowTitle(to_qt(box.title));
  // Plain text: a message that happens to contain "<" must show as written, not as markup.
  qbox.setTextFormat(Qt::PlainText);
  qbox.setText(to_qt(box_text(box.text)));
  qbox.setIcon(qt_icon(box.icon));

  // Each button with the answer it gives.
  std::vector<std::pair<QAbstractButton*, int>> answers;
  QAbstractButton* escape = nullptr;
  if (!box.custom_buttons.empty()) {
    for (std::size_t i = 0; i < box.custom_buttons.size(); ++i) {
      QPushButton* b = qbox.addButton(to_qt(box.custom_buttons[i]), QMessageBox::ActionRole);
      answers.emplace_back(b, static_cast<int>(i) + 1);
      if (box.custom_buttons[i] == "Anuluj") escape = b;
    }
  } else {
    const int wanted = box.buttons == 0 ? dane::button::kOk : box.buttons;
    for (const auto& standard : kStandardButtons) {
      if ((wanted & standard.code) == 0) continue;
      QPushButton* b = qbox.addButton(QString::fromUtf8(standard.text), standard.role);
      answers.emplace_back(b, standard.code);
      if (standard.code == dane::button::kCancel || (standard.code == dane::button::kNo && !escape))
        escape = b;
    }
    if (!escape && answers.size() == 1) escape = answers.front().first;
  }
  for (const auto& [button, answer] : answers) {
    if (answer == box.default_answer) qbox.setDefaultButton(static_cast<QPushButton*>(button));
  }
  if (escape) qbox.setEscapeButton(escape);

  context.screenshots.watch(&qbox, "message", box.title.empty() ? box.text : box.title);
  qbox.exec();
  const QAbstractButton* clicked = qbox.clickedButton();
  for (const auto& [button, answer] : answers) {
    if (button == clicked) return answer;
  }
  // Closed without a button (the box was torn down): the default stands, as it would in a headless run.
  return box.default_answer;
}

}  // namespace ui_qt
