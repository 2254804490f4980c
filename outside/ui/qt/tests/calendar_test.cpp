// The Qt calendar's own names and keys, and the status text that the host puts into the main window.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "qt_test_support.h"
#include "runtime/date.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using testing::child;
using testing::when_shown;

const runtime::DayNumber kDecember7 = runtime::make_day(2026, 12, 7);  // a Monday

TEST(QtCalendarDialog, CtrlDGoesToTodayAndTheDialogSaysSo) {
  QtHost host;
  QString hint;
  bool hint_visible = false;
  QDate after_key;
  when_shown("choose_date", [&](QWidget* dialog) {
    auto* label = child<QLabel>(dialog, "today_hint");
    hint = label->text();
    hint_visible = label->isVisible();
    auto* calendar = child<QCalendarWidget>(dialog, "calendar");
    QTest::keyClick(calendar, Qt::Key_D, Qt::ControlModifier);
    after_key = calendar->selectedDate();
    child<QPushButton>(dialog, "ok")->click();
  });
  const std::optional<runtime::DayNumber> chosen = host.choose_date("Data", runtime::make_day(2001, 5, 17));
  EXPECT_EQ(hint, QStringLiteral("Ctrl+D Ustaw dzisiejszą datę"));
  EXPECT_TRUE(hint_visible);
  EXPECT_EQ(after_key, QDate::currentDate());
  EXPECT_EQ(chosen, runtime::today());
}

TEST(QtCalendarDialog, NamesMonthsAndDaysAsTheSystemDoesAndTurnsPages) {
  QtHost host;
  QString month_shown, day_shown, month_after, day_after;
  int year_after = 0;
  when_shown("choose_date", [&](QWidget* dialog) {
    auto* month = child<QComboBox>(dialog, "month");
    auto* day = child<QLabel>(dialog, "day_name");
    month_shown = month->currentText();
    day_shown = day->text();
    child<QToolButton>(dialog, "next_month")->click();  // December to January of the next year
    month_after = month->currentText();
    year_after = child<QSpinBox>(dialog, "year")->value();
    child<QCalendarWidget>(dialog, "calendar")->setSelectedDate(QDate(2027, 1, 3));
    day_after = day->text();
    month->setCurrentIndex(4);  // the page follows the month box
    EXPECT_EQ(child<QCalendarWidget>(dialog, "calendar")->monthShown(), 5);
    child<QPushButton>(dialog, "ok")->click();
  });
  EXPECT_EQ(host.choose_date("Data", kDecember7), runtime::make_day(2027, 1, 3));
  EXPECT_EQ(month_shown, QStringLiteral("Grudzień"));
  EXPECT_EQ(day_shown, QStringLiteral("Poniedziałek, 07.12.2026"));
  EXPECT_EQ(month_after, QStringLiteral("Styczeń"));
  EXPECT_EQ(year_after, 2027);
  EXPECT_EQ(day_after, QStringLiteral("Niedziela, 03.01.2027"));
}

TEST(QtStatusText, GoesIntoTheMainWindowsStatusBarBesideItsOwnMessage) {
  QtHost host;
  QMainWindow main;
  main.statusBar()->showMessage(QStringLiteral("Użytkownik: Administrator"));
  main.show();
  host.set_status_text("luty (01.02.2016 - 29.02.2016)");
  host.set_status_text("bieżący dzień (07.12.2026 - 07.12.2026)");
  const auto labels = main.statusBar()->findChildren<QLabel*>(QStringLiteral("status_text"));
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0]->text(), QStringLiteral("bieżący dzień (07.12.2026 - 07.12.2026)"));
  EXPECT_EQ(main.statusBar()->currentMessage(), QStringLiteral("Użytkownik: Administrator"));
  EXPECT_EQ(host.status_text(), "bieżący dzień (07.12.2026 - 07.12.2026)");
}

}  // namespace
}  // namespace ui_qt
