// Message boxes, the error window, progress, the clipboard and file dialogs of the Qt host, answered by
// pressing their buttons as a person would, from the GUI thread and from others.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "mirlet_testing/temp_folder.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using testing::child;
using testing::expect_png_files;
using testing::when_shown;

QPushButton* button_with_text(QWidget* box, const QString& text) {
  for (auto* b : box->findChildren<QPushButton*>()) {
    if (b->text() == text) return b;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

QStringList button_texts(QWidget* box) {
  QStringList texts;
  for (auto* b : box->findChildren<QPushButton*>()) texts << b->text();
  texts.sort();
  return texts;
}

struct BoxCase {
  const char* name;
  dane::MessageBox box;
  const char* press;  // a button text, or "Enter"/"Escape" for the keys
  int expected;
  QStringList buttons;
};

dane::MessageBox question(int buttons, int default_answer) {
  return {"MIRLET: Pytanie",
          "Czy usunąć pozycję?|Operacja jest nieodwracalna.",
          dane::Icon::Question,
          buttons,
          {},
          default_answer};
}

dane::MessageBox variants() {
  return {"MIRLET: Pytanie",
          "Co zrobić ze zmianą?",
          dane::Icon::Question,
          0,
          {"Zapisz zmianę", "Nowy wariant", "Usuń wariant", "Anuluj"},
          2};
}

class MessageBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxes, AnswerWithTheCodeOfThePressedButton) {
  const BoxCase& c = GetParam();
  QtHost host;
  QString shown_text;
  QStringList shown_buttons;
  QMessageBox::Icon shown_icon = QMessageBox::NoIcon;
  when_shown({}, [&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    shown_text = box->text();
    shown_buttons = button_texts(box);
    shown_icon = box->icon();
    const QString press = QString::fromUtf8(c.press);
    if (press == "Enter") {
      QTest::keyClick(box, Qt::Key_Return);
    } else if (press == "Escape") {
      QTest::keyClick(box, Qt::Key_Escape);
    } else if (auto* b = button_with_text(box, press)) {
      b->click();
    }
  });
  EXPECT_EQ(host.message(c.box), c.expected);
  EXPECT_EQ(shown_buttons, c.buttons);
  if (c.box.icon == dane::Icon::Question) {
    EXPECT_EQ(shown_text, QString::fromUtf8(c.box.text.c_str()).replace('|', '\n'));
    EXPECT_EQ(shown_icon, QMessageBox::Question);
  }
  expect_png_files(host.screenshots(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageBoxes,
    ::testing::Values(BoxCase{"YesPressed",
                              question(dane::button::kYes | dane::button::kNo, dane::button::kNo),
                              "Tak",
                              dane::button::kYes,
                              {"Nie", "Tak"}},
                      BoxCase{"NoPressed",
                              question(dane::button::kYes | dane::button::kNo, dane::button::kNo),
                              "Nie",
                              dane::button::kNo,
                              {"Nie", "Tak"}},
                      BoxCase{"EnterTakesTheDefaultNo",
                              question(dane::button::kYes | dane::button::kNo, dane::button::kNo),
                              "Enter",
                              dane::button::kNo,
                              {"Nie", "Tak"}},
                      BoxCase{"EnterTakesTheDefaultYes",
                              question(dane::button::kYes | dane::button::kNo, dane::button::kYes),
                              "Enter",
                              dane::button::kYes,
                              {"Nie", "Tak"}},
                      BoxCase{"EscapeIsCancelWhenThereIsOne",
                              question(dane::button::kYes | dane::button::kNo | dane::button::kCancel,
                                       dane::button::kYes),
                              "Escape",
                              dane::button::kCancel,
                              {"Anuluj", "Nie", "Tak"}},
                      BoxCase{"EscapeIsNoInAYesNoBox",
                              question(dane::button::kYes | dane::button::kNo, dane::button::kYes),
                              "Escape",
                              dane::button::kNo,
                              {"Nie", "Tak"}},
                      BoxCase{"InformationOk",
                              {"MIRLET: Informacja",
                               "Zapisano.",
                               dane::Icon::Information,
                               dane::button::kOk,
                               {},
                               dane::button::kOk},
                              "OK",
                              dane::button::kOk,
                              {"OK"}},
                      BoxCase{"EscapeClosesAnOkBox",
                              {"MIRLET: Ostrzeżenie",
                               "Uwaga!|Brak kursu.",
                               dane::Icon::Exclamation,
                               dane::button::kOk,
                               {},
                               dane::button::kOk},
                              "Escape",
                              dane::button::kOk,
                              {"OK"}},
                      BoxCase{"RetryIgnoreAbort",
                              {"Błąd",
                               "Nie można zapisać.",
                               dane::Icon::Error,
                               dane::button::kAbort | dane::button::kRetry | dane::button::kIgnore,
                               {},
                               dane::button::kRetry},
                              "Ignoruj",
                              dane::button::kIgnore,
                              {"Ignoruj", "Ponów", "Przerwij"}},
                      BoxCase{"CustomButtonByIndex",
                              variants(),
                              "Usuń wariant",
                              3,
                              {"Anuluj", "Nowy wariant", "Usuń wariant", "Zapisz zmianę"}},
                      BoxCase{"CustomDefault",
                              variants(),
                              "Enter",
                              2,
                              {"Anuluj", "Nowy wariant", "Usuń wariant", "Zapisz zmianę"}},
                      BoxCase{"CustomEscapeIsAnuluj",
                              variants(),
                              "Escape",
                              4,
                              {"Anuluj", "Nowy wariant", "Usuń wariant", "Zapisz zmianę"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxText, IsShownAsPlainTextNotMarkup) {
  QtHost host;
  QString shown;
  Qt::TextFormat format = Qt::AutoText;
  when_shown({}, [&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    shown = box->text();
    format = box->textFormat();
    button_with_text(box, "OK")->click();
  });
  host.message({"Błąd SQL", "<b>select</b> * from t where a<1", dane::Icon::Error, dane::button::kOk, {}, 1});
  EXPECT_EQ(shown, "<b>select</b> * from t where a<1");
  EXPECT_EQ(format, Qt::PlainText);
}

TEST(MessageFromAnotherThread, IsShownOnTheGuiThreadAndAnsweredOnTheCaller) {
  QtHost host;
  std::atomic<bool> shown_on_gui{false};
  when_shown({}, [&](QWidget* w) {
    shown_on_gui = w->thread() == QApplication::instance()->thread() &&
                   QThread::currentThread() == QApplication::instance()->thread();
    button_with_text(w, "Tak")->click();
  });
  std::atomic<int> answer{0};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    answer = host.message(question(dane::button::kYes | dane::button::kNo, dane::button::kNo));
    host.set_clipboard("z wątku");
    done = true;
  });
  for (int i = 0; i < 1000 && !done; ++i) testing::settle();
  worker.join();
  EXPECT_TRUE(shown_on_gui);
  EXPECT_EQ(answer, dane::button::kYes);
  EXPECT_EQ(host.clipboard(), "z wątku");
}

class ErrorWindow : public ::testing::Test {
 protected:
  MemoryGeometryStore store;
  QtHost host{&store};
};

TEST_F(ErrorWindow, ShowsTheTextMonospacedAndKeepsItsGeometry) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QString title;
  QString text;
  bool fixed_pitch = false;
  bool read_only = false;
  when_shown("ErrorWin", [&](QWidget* w) {
    title = w->windowTitle();
    auto* edit = child<QPlainTextEdit>(w, "text");
    text = edit->toPlainText();
    fixed_pitch = QFontInfo(edit->font()).fixedPitch();
    read_only = edit->isReadOnly();
    w->move(screen.x() + 40, screen.y() + 30);
    w->resize(500, 260);
    button_with_text(w, "Zamknij")->click();
  });
  host.error_window("select *\nfrom WALUTY\nwhere SYM_WALUTY = 'ZŁ'", "[Microsoft][ODBC] Błąd składni");
  EXPECT_EQ(title, "[Microsoft][ODBC] Błąd składni");
  EXPECT_EQ(text, "select *\nfrom WALUTY\nwhere SYM_WALUTY = 'ZŁ'");
  EXPECT_TRUE(fixed_pitch);
  EXPECT_TRUE(read_only);
  EXPECT_EQ(store.load("ErrorWin"), (WindowGeometry{screen.x() + 40, screen.y() + 30, 500, 260}));
  expect_png_files(host.screenshots(), 1);

  QRect reopened;
  when_shown("ErrorWin", [&](QWidget* w) {
    reopened = QRect(w->pos(), w->size());
    button_with_text(w, "Zamknij")->click();
  });
  host.error_window("x", "");
  EXPECT_EQ(reopened, QRect(screen.x() + 40, screen.y() + 30, 500, 260));
}

TEST_F(ErrorWindow, OffScreenGeometryComesBackVisible) {
  store.save("ErrorWin", {-32000, -32000, 160, 28});
  QRect shown;
  QString title;
  when_shown("ErrorWin", [&](QWidget* w) {
    shown = QRect(w->pos(), w->size());
    title = w->windowTitle();
    button_with_text(w, "Zamknij")->click();
  });
  host.error_window("tekst", "");
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(shown))
      << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height();
  EXPECT_GE(shown.width(), 300);
  EXPECT_EQ(title, "Informacja");
}

TEST(Progress, ShowsPercentAndTextUntilDestroyed) {
  QtHost host;
  auto progress = host.open_progress("Przeliczanie cen");
  auto find = [] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == "progress" && w->isVisible()) return w;
    }
    return static_cast<QWidget*>(nullptr);
  };
  QWidget* window = find();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Przeliczanie cen");
  std::thread worker([&] {
    progress->set_percent(40);
    progress->set_text("Trwa przeliczanie – pozycja 4 z 10");
  });
  // The worker waits for the GUI thread on each call: keep serving events until both calls have landed.
  while (child<QProgressBar>(window, "bar")->value() != 40 ||
         child<QLabel>(window, "text")->text() != "Trwa przeliczanie – pozycja 4 z 10")
    testing::settle();
  worker.join();
  progress->set_percent(250);
  progress->redraw();
  EXPECT_EQ(child<QProgressBar>(window, "bar")->value(), 100);
  EXPECT_EQ(child<QLabel>(window, "text")->text(), "Trwa przeliczanie – pozycja 4 z 10");
  expect_png_files(host.screenshots(), 1);
  progress.reset();
  EXPECT_EQ(find(), nullptr);
}

TEST(Clipboard, KeepsPolishText) {
  QtHost host;
  host.set_clipboard("Zażółć gęślą jaźń");
  EXPECT_EQ(host.clipboard(), "Zażółć gęślą jaźń");
}

TEST(BusyCursor, IsSetOnceAndRestored) {
  QtHost host;
  host.set_busy(true);
  host.set_busy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host.set_busy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  host.set_busy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class FileDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(folder / "przelewy.txt") << "x";
    std::ofstream(folder / "kursy.xml") << "x";
  }
  // One folder per test: tests run in parallel processes.
  const mirlet_testing::TempFolder temp{"ui_qt_dialogs"};
  const std::filesystem::path folder = temp.path();
  QtHost host;
};

TEST_F(FileDialogs, OpenOffersTheFiltersAndGivesTheChosenPath) {
  QStringList filters;
  when_shown("open", [&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    filters = dialog->nameFilters();
    QTest::keyClicks(child<QLineEdit>(dialog, "fileNameEdit"), "przelewy.txt");
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_FALSE(dialog->isVisible()) << dialog->selectedFiles().join(",").toStdString();
    if (dialog->isVisible()) static_cast<QDialog*>(dialog)->done(0);
  });
  const auto chosen = host.choose_file({dane::FileDialog::Kind::Open, "Wybierz plik", folder.string(),
                                        "Pliki tekstowe|*.txt|Wszystkie pliki|*.*"});
  EXPECT_EQ(filters, (QStringList{"Pliki tekstowe (*.txt)", "Wszystkie pliki (*)"}));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(std::filesystem::path(*chosen), folder / "przelewy.txt");
  expect_png_files(host.screenshots(), 1);
}

TEST_F(FileDialogs, SaveStartsAtTheGivenNameAndCancelGivesNothing) {
  QString proposed;
  when_shown("save", [&](QWidget* w) {
    proposed = child<QLineEdit>(w, "fileNameEdit")->text();
    qobject_cast<QDialog*>(w)->reject();
  });
  const auto chosen = host.choose_file(
      {dane::FileDialog::Kind::Save, "Zapisz jako", (folder / "eksport.csv").string(), "CSV|*.csv"});
  EXPECT_EQ(proposed, "eksport.csv");
  EXPECT_FALSE(chosen.has_value());
}

TEST(Desktop, EmptyTargetIsRefused) {
  QtHost host;
  EXPECT_FALSE(host.open_with_desktop(""));
}

}  // namespace
}  // namespace ui_qt
