// Logical threads and the user events that windows post to each other's threads.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace dane {

using ThreadNumber = int;

// The session start posts this to the waiting main program's thread when it ends.
inline constexpr int kEventSessionStartDone = 1024;
// Posted to the main program's thread to open a shipment-tracking address.
inline constexpr int kEventOpenTrackingAddress = 1058;

// The calling thread's number: 1, 2, 3 ... in the order threads first ask; stable for the thread's life.
ThreadNumber current_thread_number();
// The number as text, as the session start receives the main program's thread.
std::string thread_number_text(ThreadNumber thread);

// Queues `event` for `thread`; events wait until that thread takes them, even if it has not asked yet.
void post_event(ThreadNumber thread, int event);
// Takes the next event of the calling thread, waiting at most `timeout`.
std::optional<int> take_event(std::chrono::milliseconds timeout = std::chrono::milliseconds{0});
// Waits until `event` reaches the calling thread (other events stay queued); false on timeout.
bool wait_event(int event, std::chrono::milliseconds timeout);

}  // namespace dane
