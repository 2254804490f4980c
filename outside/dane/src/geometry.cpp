// The frame measures shared by the main program, which knows them, and the windows that fill the frame.
#include "dane/geometry.h"

#include <mutex>

namespace dane {
namespace {

std::mutex& frame_mutex() {
  static std::mutex m;
  return m;
}

FrameMetrics& frame() {
  static FrameMetrics f;
  return f;
}

}  // namespace

FrameMetrics frame_metrics() {
  std::lock_guard lock(frame_mutex());
  return frame();
}

void set_frame_metrics(const FrameMetrics& metrics) {
  std::lock_guard lock(frame_mutex());
  frame() = metrics;
}

}  // namespace dane
