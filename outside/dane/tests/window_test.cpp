#include "dane/window.h"

#include <gtest/gtest.h>

#include "dane/error_object.h"
#include "dane/host.h"
#include "dane/library.h"

namespace dane {
namespace {

// Records the steps the framework runs, and closes or refuses as told.
class StepLog : public Window {
 public:
  explicit StepLog(bool allow_open = true, bool allow_close = true)
      : Window("Test_Okno"), allow_close_(allow_close), allow_open_(allow_open) {}
  std::vector<std::string> steps;
  bool allow_close_;

 protected:
  bool initialise() override {
    steps.push_back("initialise in " + error_object().procedure());
    return allow_open_;
  }
  void opened() override { steps.push_back("open"); }
  bool take_accepted(std::string_view c) override {
    steps.push_back("accepted " + std::string(c));
    return true;
  }
  void take_event(int e) override { steps.push_back("event " + std::to_string(e)); }
  bool take_close_event() override {
    steps.push_back("close event");
    if (allow_close_) set_response(Response::Completed);
    return allow_close_;
  }
  void kill() override { steps.push_back("kill in " + error_object().procedure()); }

 private:
  bool allow_open_;
};

// A host that plays a fixed sequence of user actions.
class ActingHost : public HeadlessHost {
 public:
  void run_window(Window& w) override {
    w.accept("?Nazwa");
    w.post(1024);
    w.request_close();
    if (auto* log = dynamic_cast<StepLog*>(&w); log && !w.closed()) {
      log->allow_close_ = true;  // the user insists
      w.request_close();
    }
  }
};

class WindowSteps : public ::testing::Test {
 protected:
  void SetUp() override { install_host(&acting); }
  void TearDown() override { install_host(nullptr); }
  ActingHost acting;
};

TEST_F(WindowSteps, RunInTheFixedOrder) {
  StepLog w;
  EXPECT_EQ(run_window(w), Response::Completed);
  EXPECT_EQ(w.steps, (std::vector<std::string>{"initialise in Test_Okno", "open", "accepted ?Nazwa",
                                               "event 1024", "close event", "kill in Test_Okno"}));
}

TEST_F(WindowSteps, CloseEventMayKeepTheWindowOpen) {
  StepLog w(true, false);
  run_window(w);
  EXPECT_EQ(w.steps,
            (std::vector<std::string>{"initialise in Test_Okno", "open", "accepted ?Nazwa", "event 1024",
                                      "close event", "close event", "kill in Test_Okno"}));
}

TEST_F(WindowSteps, RefusedInitialisationClosesBeforeShowingAndStillKills) {
  StepLog w(false);
  EXPECT_EQ(run_window(w), Response::Cancelled);
  EXPECT_EQ(w.steps, (std::vector<std::string>{"initialise in Test_Okno", "kill in Test_Okno"}));
  EXPECT_EQ(error_object().procedure(), "");
}

TEST(WindowHeadless, AWindowNobodyCanSeeClosesCancelled) {
  StepLog w(true, false);  // even one that refuses to close
  EXPECT_EQ(run_window(w), Response::Cancelled);
  EXPECT_TRUE(w.closed());
  EXPECT_EQ(w.steps.back(), "kill in Test_Okno");
}

}  // namespace
}  // namespace dane
