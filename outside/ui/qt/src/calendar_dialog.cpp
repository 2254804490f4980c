// The calendar in Polish: a modal month view starting on Monday, the system's own month and day names,
// Ctrl+D for today, OK and Anuluj.
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

#include "host_context.h"

namespace ui_qt {
namespace {

// The names as the system writes them: the locale's are in lower case.
constexpr std::array<const char*, 12> kMonthNames = {"Styczeń",  "Luty",        "Marzec",   "Kwiecień",
                                                     "Maj",      "Czerwiec",    "Lipiec",   "Sierpień",
                                                     "Wrzesień", "Październik", "Listopad", "Grudzień"};
constexpr std::array<const char*, 7> kDayNames = {"Poniedziałek", "Wtorek", "Środa",    "Czwartek",
                                                  "Piątek",       "Sobota", "Niedziela"};

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
  calendar->setNavigationBarVisible(false);  // the dialog's own bar names the months
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
  // Day numbers run from the day after 28 December 1800 to the open end of ranges.
  calendar->setDateRange(to_qdate(1), to_qdate(runtime::kOpenEnd));
  QTextCharFormat today;
  today.setFontWeight(QFont::Bold);
  calendar->setDateTextFormat(QDate::currentDate(), today);
  return calendar;
}

// Previous and next month around the month's name and the year, kept in step with the calendar's page.
QHBoxLayout* month_bar(QDialog& dialog, QCalendarWidget* calendar) {
  auto* bar = new QHBoxLayout;
  auto* previous = new QToolButton(&dialog);
  previous->setObjectName("previous_month");
  previous->setText(QStringLiteral("<"));
  previous->setToolTip(QStringLiteral("Poprzedni miesiąc"));
  auto* month = new QComboBox(&dialog);
  month->setObjectName("month");
  for (const char* name : kMonthNames) month->addItem(QString::fromUtf8(name));
  auto* year = new QSpinBox(&dialog);
  year->setObjectName("year");
  year->setRange(calendar->minimumDate().year(), calendar->maximumDate().year());
  auto* next = new QToolButton(&dialog);
  next->setObjectName("next_month");
  next->setText(QStringLiteral(">"));
  next->setToolTip(QStringLiteral("Następny miesiąc"));
  for (QWidget* w : std::array<QWidget*, 4>{previous, month, year, next}) w->setFocusPolicy(Qt::NoFocus);
  bar->addWidget(previous);
  bar->addWidget(month, 1);
  bar->addWidget(year);
  bar->addWidget(next);

  const auto show_page = [month, year](int y, int m) {
    const QSignalBlocker month_quiet(month);
    const QSignalBlocker year_quiet(year);
    month->setCurrentIndex(m - 1);
    year->setValue(y);
  };
  show_page(calendar->yearShown(), calendar->monthShown());
  QObject::connect(calendar, &QCalendarWidget::currentPageChanged, &dialog, show_page);
  const auto turn_page = [calendar, month, year] {
    calendar->setCurrentPage(year->value(), month->currentIndex() + 1);
  };
  QObject::connect(month, &QComboBox::currentIndexChanged, &dialog, turn_page);
  QObject::connect(year, &QSpinBox::valueChanged, &dialog, turn_page);
  QObject::connect(previous, &QToolButton::clicked, calendar, &QCalendarWidget::showPreviousMonth);
  QObject::connect(next, &QToolButton::clicked, calendar, &QCalendarWidget::showNextMonth);
  return bar;
}

// "Poniedziałek, 07.12.2026" for the selected day.
QString day_text(QDate date) {
  const auto index = static_cast<std::size_t>(date.dayOfWeek() - 1);  // Monday is 1
  return QString::fromUtf8(kDayNames[index]) + QStringLiteral(", ") +
         date.toString(QStringLiteral("dd.MM.yyyy"));
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
  layout->addLayout(month_bar(dialog, calendar));
  layout->addWidget(calendar);
  auto* day_name = new QLabel(day_text(calendar->selectedDate()), &dialog);
  day_name->setObjectName("day_name");
  day_name->setAlignment(Qt::AlignCenter);
  layout->addWidget(day_name);
  QObject::connect(calendar, &QCalendarWidget::selectionChanged, day_name,
                   [calendar, day_name] { day_name->setText(day_text(calendar->selectedDate())); });
  auto* hint = new QLabel(QStringLiteral("Ctrl+D Ustaw dzisiejszą datę"), &dialog);
  hint->setObjectName("today_hint");
  layout->addWidget(hint);
  auto* today = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), &dialog);
  QObject::connect(today, &QShortcut::activated, calendar,
                   [calendar] { calendar->setSelectedDate(to_qdate(runtime::today())); });

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
