#include "dane/events.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace dane {
namespace {

using namespace std::chrono_literals;

TEST(ThreadNumbers, AreDistinctPerThreadAndStable) {
  const ThreadNumber mine = current_thread_number();
  EXPECT_EQ(current_thread_number(), mine);
  ThreadNumber other = 0;
  std::thread([&] { other = current_thread_number(); }).join();
  EXPECT_NE(other, mine);
  EXPECT_GT(other, 0);
  EXPECT_EQ(thread_number_text(17), "17");
}

TEST(Events, ReachTheWaitingThreadAcrossThreads) {
  const ThreadNumber main_thread = current_thread_number();
  std::thread starter([&] {
    std::this_thread::sleep_for(20ms);
    post_event(main_thread, kEventSessionStartDone);
  });
  EXPECT_TRUE(wait_event(kEventSessionStartDone, 5s));
  starter.join();
  EXPECT_FALSE(take_event().has_value());
}

TEST(Events, WaitingForOneEventKeepsOthersQueuedInOrder) {
  const ThreadNumber me = current_thread_number();
  post_event(me, 7);
  post_event(me, kEventOpenTrackingAddress);
  post_event(me, 8);
  EXPECT_TRUE(wait_event(kEventOpenTrackingAddress, 0ms));
  EXPECT_EQ(take_event(), 7);
  EXPECT_EQ(take_event(), 8);
  EXPECT_FALSE(take_event().has_value());
}

TEST(Events, WaitTimesOutWhenNothingComes) {
  EXPECT_FALSE(wait_event(kEventSessionStartDone, 10ms));
}

TEST(Events, PostedBeforeTheThreadAsksAreKept) {
  ThreadNumber worker_number = 0;
  std::mutex m;
  std::condition_variable cv;
  bool numbered = false, posted = false;
  std::optional<int> got;
  std::thread worker([&] {
    {
      std::unique_lock lock(m);
      worker_number = current_thread_number();
      numbered = true;
      cv.notify_all();
      cv.wait(lock, [&] { return posted; });
    }
    got = take_event(1s);
  });
  {
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return numbered; });
    post_event(worker_number, 1024);
    posted = true;
    cv.notify_all();
  }
  worker.join();
  EXPECT_EQ(got, 1024);
}

}  // namespace
}  // namespace dane
