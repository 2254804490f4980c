// Plain windows, windows run from a worker thread, and the screenshot switch of the Qt host.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <thread>

#include "dane/form.h"
#include "mirlet_testing/temp_folder.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using testing::child;
using testing::when_shown;

// Refuses the first request to close, as a window with unsaved work would.
class StubbornWindow : public dane::Window {
 public:
  StubbornWindow() : Window("Stubborn_Okno") { set_title("Okno próbne"); }
  int close_requests = 0;

 protected:
  bool take_close_event() override {
    ++close_requests;
    if (close_requests < 2) return false;
    set_response(dane::Response::Completed);
    return true;
  }
};

class NoteForm : public dane::FormWindow {
 public:
  NoteForm() : FormWindow("Notatka_Upd") {
    add_field({"TRESC", "Treść", "@s60", "", true});
    set_mode_titles("Nowa notatka", "Zmiana notatki");
  }
  std::thread::id steps_thread;

 protected:
  bool validate_field(std::string_view) override {
    steps_thread = std::this_thread::get_id();
    return true;
  }
};

class Windows : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host); }
  void TearDown() override { dane::install_host(nullptr); }
  QtHost host;
};

TEST_F(Windows, PlainWindowThatRefusesToCloseIsShownAgain) {
  StubbornWindow window;
  int shown = 0;
  std::function<void(QWidget*)> close_it = [&](QWidget* w) {
    ++shown;
    if (shown < 2) when_shown("Stubborn_Okno", close_it);
    w->close();
  };
  when_shown("Stubborn_Okno", close_it);
  EXPECT_EQ(dane::run_window(window), dane::Response::Completed);
  EXPECT_EQ(window.close_requests, 2);
  EXPECT_EQ(shown, 2);
}

TEST_F(Windows, FormRunFromAWorkerThreadIsShownOnTheGuiThreadAndAnswersTheWorker) {
  NoteForm form;
  form.set_request(dane::Request::Insert);
  when_shown("Notatka_Upd", [](QWidget* w) {
    child<QLineEdit>(w, "TRESC")->setText("Dostawa w czwartek");
    child<QPushButton>(w, "ok")->click();
  });
  std::atomic<bool> done{false};
  dane::Response response = dane::Response::None;
  std::thread worker([&] {
    response = dane::run_window(form);
    done = true;
  });
  for (int i = 0; i < 1000 && !done; ++i) testing::settle();
  worker.join();
  EXPECT_EQ(response, dane::Response::Completed);
  EXPECT_EQ(form.value("TRESC"), "Dostawa w czwartek");
  EXPECT_EQ(form.steps_thread, std::this_thread::get_id());  // the GUI thread took the user's actions
}

TEST_F(Windows, NoScreenshotsWhenTurnedOff) {
  host.set_screenshot_dir("");
  when_shown({}, [](QWidget* w) { w->findChild<QPushButton*>()->click(); });
  host.message({"MIRLET: Informacja", "Bez zdjęcia", dane::Icon::Information, dane::button::kOk, {}, 1});
  EXPECT_TRUE(host.screenshots().empty());
}

TEST_F(Windows, ScreenshotFolderIsMadeWhenMissing) {
  const mirlet_testing::TempFolder temp("ui_qt_screenshots");
  const auto folder = temp.path() / "made" / "nested";
  host.set_screenshot_dir(folder.string());
  when_shown({}, [](QWidget* w) { w->findChild<QPushButton*>()->click(); });
  host.message({"Zażółć", "gęślą jaźń", dane::Icon::Information, dane::button::kOk, {}, 1});
  ASSERT_EQ(host.screenshots().size(), 1u);
  EXPECT_EQ(std::filesystem::path(host.screenshots()[0]).parent_path(), folder);
  EXPECT_EQ(std::filesystem::path(host.screenshots()[0]).filename().string().substr(3),
            "-message-Zażółć.png");
  testing::expect_png_files(host.screenshots(), 1);
}

}  // namespace
}  // namespace ui_qt
