// A session on a fresh demo database in a temporary folder, installed as dane's database, and a thread
// that runs steps on request so that a test can interleave what two threads do.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "dane/database.h"
#include "db/client.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace dane::testing {

class DemoSession : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace("danetest");
    path_ = folder_->file("demo.db");
    ASSERT_TRUE(server::make_demo_database(path_, server::DemoSize::Demo).ok());
    ASSERT_TRUE(server::connect("sqlite:" + path_, client_).ok());
    install_database(client_.get());
  }
  void TearDown() override {
    install_database(nullptr);
    client_.reset();
    folder_.reset();
  }

  const std::string& path() const { return path_; }
  db::Client& client() { return *client_; }

 private:
  std::optional<mirlet_testing::TempFolder> folder_;
  std::string path_;
  std::unique_ptr<db::Client> client_;
};

// A thread that lives across several steps of a test; run() waits for the step to finish.
class StepThread {
 public:
  StepThread() : thread_([this] { loop(); }) {}
  ~StepThread() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  void run(std::function<void()> step) {
    std::unique_lock lock(mutex_);
    step_ = std::move(step);
    wake_.notify_all();
    done_.wait(lock, [this] { return !step_; });
  }

 private:
  void loop() {
    std::unique_lock lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return stop_ || step_; });
      if (stop_) return;
      step_();
      step_ = nullptr;
      done_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::function<void()> step_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace dane::testing
