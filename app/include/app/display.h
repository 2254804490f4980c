// Whether the program can show windows here, and what to tell the user when it cannot.
#pragma once

#include <functional>
#include <string>

namespace app {

// Reads an environment variable: its value, or null when it is not set.
using Environment = std::function<const char*(const char*)>;

// True when Qt has a platform to show windows on: QT_QPA_PLATFORM chosen explicitly (offscreen included),
// or an X11 or Wayland display (DISPLAY, WAYLAND_DISPLAY). Empty values count as unset.
bool has_display(const Environment& environment);

// The message for a machine without a display: how to run the program headless instead.
std::string headless_hint();

}  // namespace app
