// The calendar in Polish: a modal month view starting on Monday, with OK and Anuluj.
#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "host_context.h"

namespace ui_qt {
namespace {

QDate to_qdate(runtime::DayNumber day) {
  const std::chrono::year_month_day ymd = runtime::to_ymd(day);
  return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day())));
}

runtime::DayNumber to_day(QDate date) {
  return runtime::make_day(date.year(), static_cast<unsigned>(date.month()),
                           static_cast<unsigned>(date.day()));
}

QCalendarWidget* polish_calendar(QWidget* parent) {
  auto* calendar = new QCalendarWidget(parent);
  calendar->setObjectName("calendar");
  calendar->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
  calendar->setFirstDayOfWeek(Qt::Monday);
  calendar->setGridVisible(true);
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
  // Day numbers run from the day after 28 December 1800 to the open end of ranges.
  calendar->setDateRange(to_qdate(1), to_qdate(runtime::kOpenEnd));
  QTextCharFormat today;
  today.setFontWeight(QFont::Bold);
  calendar->setDateTextFormat(QDate::currentDate(), today);
  return calendar;
}

}  // namespace

std::optional<runtime::DayNumber> show_calendar_dialog(std::string_view title, runtime::DayNumber initial,
                                                       HostContext& context) {
  QDialog dialog(dialog_parent());
  dialog.setObjectName("choose_date");
  dialog.setWindowTitle(to_qt(title.empty() ? std::string_view("Kalendarz") : title));
  auto* layout = new QVBoxLayout(&dialog);
  QCalendarWidget* calendar = polish_calendar(&dialog);
  const runtime::DayNumber opening = initial > 0 && initial <= runtime::kOpenEnd ? initial : runtime::today();
  calendar->setSelectedDate(to_qdate(opening));
  layout->addWidget(calendar);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Anuluj"), &dialog);
  cancel->setObjectName("cancel");
  cancel->setAutoDefault(false);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  // A double click or Enter on a day chooses it.
  QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);

  calendar->setFocus();
  context.screenshots.watch(&dialog, "calendar", std::string(title));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return to_day(calendar->selectedDate());
}

}  // namespace ui_qt
