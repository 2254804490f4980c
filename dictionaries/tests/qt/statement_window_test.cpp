// The statement window as a person sees it in the Qt host: the description, the bar with its percentage and
// the counter of a row-by-row run, and the stop button that asks and then ends the run after its row.
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "keldox/sql.h"
#include "keldox/statement_window.h"
#include "qt_session.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::when_box_shown;

// The progress window is up while the run's own loop turns the event loop: found among the top-level
// widgets, whether or not the window system made it the active one, once its bar has left 0%. The run
// goes on only between the timer's calls, so the wait is the timer's, not a wait inside `action`.
void when_progress_moved(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action = std::move(action)] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* percent = w->findChild<QLabel*>(QStringLiteral("percent"));
      if (w->objectName() == QStringLiteral("progress") && w->isVisible() && percent &&
          percent->text() != QStringLiteral("0%")) {
        timer->stop();
        timer->deleteLater();
        action(w);
        return;
      }
    }
  });
  timer->start();
}

TEST_F(QtDictionarySession, TheStatementWindowShowsItsProgressAndStopsOnRequest) {
  const std::string total = value_of("select count(*) from DATY_KURSOW");
  QString text, counter, percent, question, ending;
  bool percent_shown = false, busy = true;
  std::string png;
  when_progress_moved([&](QWidget* w) {
    text = child<QLabel>(w, "text")->text();
    counter = child<QLabel>(w, "counter")->text();
    percent = child<QLabel>(w, "percent")->text();
    percent_shown = child<QLabel>(w, "percent")->isVisible();
    busy = child<QProgressBar>(w, "bar")->maximum() == 0;
    png = save_png(w, "statement_window_rows");
    when_box_shown([&](QMessageBox* box) {
      question = box->text();
      when_box_shown([&](QMessageBox* info) {
        ending = info->text();
        info->accept();
      });
      for (QAbstractButton* b : box->buttons()) {
        if (b->text().remove('&') == QStringLiteral("Tak")) b->click();
      }
    });
    child<QPushButton>(w, "stop")->click();
  });
  const std::uint8_t response = keldox::EXECSQLWIN(
      "insert into zaznaczone (id_sesji,uzycie,id) values (1,556,#1#)", "Wstawianie daty #1#", "",
      "select ID_DATY from DATY_KURSOW order by ID_DATY", "wstawianie");
  EXPECT_EQ(response, 2) << "interrupted";
  EXPECT_TRUE(text.startsWith(QStringLiteral("Wstawianie daty "))) << text.toStdString();
  EXPECT_TRUE(counter.endsWith(QStringLiteral(" / ") + QString::fromStdString(total)))
      << counter.toStdString();
  EXPECT_TRUE(percent_shown && percent.endsWith('%')) << percent.toStdString();
  EXPECT_FALSE(busy) << "a run of rows shows how far it is";
  EXPECT_FALSE(png.empty());
  EXPECT_EQ(question, QStringLiteral("Czy chcesz przerwać wstawianie?"));
  EXPECT_TRUE(ending.startsWith(QStringLiteral("Przerwano wstawianie."))) << ending.toStdString();
  const int inserted = std::stoi(value_of("select count(*) from zaznaczone where uzycie=556"));
  EXPECT_GT(inserted, 0);
  EXPECT_LT(inserted, std::stoi(total)) << "stopped after the running row";
}

}  // namespace
}  // namespace slownik
