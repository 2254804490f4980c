// Moving a splitter, and the windows that fill the frame's free area or stand where the caller points.
#include "keldox/window_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <mutex>
#include <optional>
#include <string>

#include "dane/window.h"
#include "keldox/config_parameters.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

// A plain window with a placement; the host shows it and the user closes it.
class PlacedWindow : public dane::Window, public dane::HeldPlacement {
 public:
  using dane::Window::Window;
};

// The whole number the user's parameter starts with; 0 for none and for one beyond an int.
int user_integer(std::string_view code) {
  const std::optional<std::int64_t> value = runtime::leading_integer(POBIERZPARAMKONF(code, "u"));
  if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
    return 0;
  return static_cast<int>(*value);
}

int toolbar_height(dane::Ribbon ribbon) {
  switch (ribbon) {
    case dane::Ribbon::Shown:
      return 70;
    case dane::Ribbon::Off:
      return runtime::same_text(POBIERZPARAMKONF("PokazujPasekIkon", "u"), "Tak") ? 28 : 0;
    case dane::Ribbon::AutoHide:
      break;
  }
  return 0;
}

// The full-area window while it is open; it stands nowhere once closed.
std::mutex full_area_mutex;
PlacedWindow* full_area_window = nullptr;

}  // namespace

void USTAWSPLIT(dane::Placement& left, dane::Placement& splitter, dane::Placement& right,
                std::int32_t shift) {
  if (shift == 0) return;
  dane::Rect s = splitter.rect();
  s.x += shift;
  splitter.set_rect(s);
  dane::Rect l = left.rect();
  l.width += shift;
  left.set_rect(l);
  dane::Rect r = right.rect();
  r.x += shift;
  r.width -= shift;
  right.set_rect(r);
}

dane::Rect free_frame_area() {
  const dane::FrameMetrics f = dane::frame_metrics();
  const int width = f.client_width - user_integer("OknoSzerMarg") - (f.border + 4);
  const int height = f.client_height - user_integer("OknoWysMarg") - (f.border - 4) - f.caption_height -
                     toolbar_height(f.ribbon);
  return dane::Rect{0, 0, std::max(width, 0), std::max(height, 0)};
}

bool MAKSYMALIZUJ() {
  const dane::Rect area = free_frame_area();
  PlacedWindow window("Maksymalizuj");
  {
    std::lock_guard lock(full_area_mutex);
    if (full_area_window) {
      // Already open: it only follows the frame when the frame has changed.
      if (full_area_window->rect() == area) return false;
      full_area_window->set_rect(area);
      return true;
    }
    full_area_window = &window;
    window.set_rect(area);
  }
  dane::run_window(window);
  std::lock_guard lock(full_area_mutex);
  full_area_window = nullptr;
  return true;
}

void USTAWMYSZ(std::int32_t x, std::int32_t y, std::int32_t size) {
  PlacedWindow window("UstawMysz");
  const int side = std::max<std::int32_t>(size, 1);
  window.set_rect(dane::Rect{x, y, side, side});
  dane::run_window(window);
}

}  // namespace keldox
