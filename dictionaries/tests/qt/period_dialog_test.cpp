// The period dialog in the Qt host: it opens on the caller's range, its drop list offers every named
// range, a range chosen there with the mouse moves the dates, and OK gives the period back.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "keldox/date_ranges.h"
#include "qt_session.h"
#include "runtime/date.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_shown;

using QtPeriodDialog = QtDictionarySession;

TEST_F(QtPeriodDialog, ItsDropListOffersTheNamedRangesAndTheChosenOneMovesTheDates) {
  std::int32_t from = runtime::make_day(2026, 3, 1);
  std::int32_t to = runtime::make_day(2026, 3, 31);
  std::string name = "marzec";
  QString title, opened_on, opened_from, opened_to, opened_year, chosen_from, chosen_to;
  std::vector<QString> ranges;
  bool list_open = false;
  when_shown("PytajOZakresDat", [&](QWidget* w) {
    title = w->windowTitle();
    auto* range = child<QComboBox>(w, "ZAKRES");
    auto* date_from = child<QLineEdit>(w, "DATA_OD");
    auto* date_to = child<QLineEdit>(w, "DATA_DO");
    auto* year = child<QLineEdit>(w, "ROK");
    if (range && date_from && date_to && year) {
      for (int i = 0; i < range->count(); ++i) ranges.push_back(range->itemText(i));
      opened_on = range->currentText();
      opened_from = date_from->text();
      opened_to = date_to->text();
      opened_year = year->text();
      save_png(w, "period_dialog");
      range->showPopup();
      QAbstractItemView* list = range->view();
      list_open = list->window()->isVisible();
      save_png(w, "period_dialog_ranges", list->window());
      const QModelIndex february = range->model()->index(range->findText("luty"), 0);
      list->scrollTo(february);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(february).center());
      settle();
      chosen_from = date_from->text();
      chosen_to = date_to->text();
      save_png(w, "period_dialog_february");
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    if (w->isVisible()) w->close();
  });
  EXPECT_EQ(keldox::PYTAJOZAKRESDAT(0, from, to, name), 1);
  EXPECT_EQ(title, "Zakres dat");
  ASSERT_EQ(ranges.size(), keldox::kRangeNames.size());
  for (std::size_t i = 0; i < ranges.size(); ++i) EXPECT_EQ(ranges[i].toStdString(), keldox::kRangeNames[i]);
  EXPECT_EQ(opened_on, "marzec");
  EXPECT_EQ(opened_from, "01.03.2026");
  EXPECT_EQ(opened_to, "31.03.2026");
  EXPECT_EQ(opened_year, "2026");
  EXPECT_TRUE(list_open);
  EXPECT_EQ(chosen_from, "01.02.2026");
  EXPECT_EQ(chosen_to, "28.02.2026");
  EXPECT_EQ(name, "luty");
  EXPECT_EQ(from, runtime::make_day(2026, 2, 1));
  EXPECT_EQ(to, runtime::make_day(2026, 2, 28));
}

}  // namespace
}  // namespace slownik
