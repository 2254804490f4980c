// Placing a window's controls at a new window size.
#include "dane/resizer.h"

#include <algorithm>
#include <cstdint>

#include "runtime/text.h"

namespace dane {
namespace {

// `value` * `now` / `design`, rounded half up, in 64 bits so that no size overflows.
int scaled(int value, int design, int now) {
  const std::int64_t product = static_cast<std::int64_t>(value) * now;
  return static_cast<int>((2 * product + design) / (2 * static_cast<std::int64_t>(design)));
}

// One axis: the start and the length of the control.
void place_axis(int& start, int& length, int design_window, int now, Stretch stretch) {
  if (design_window <= 0) return;
  now = std::max(now, design_window);
  const int growth = now - design_window;
  switch (stretch) {
    case Stretch::Scale: {
      // Both edges are scaled, not the length: a control that ends where the next begins still does.
      const int end = scaled(start + length, design_window, now);
      start = scaled(start, design_window, now);
      length = end - start;
      break;
    }
    case Stretch::Resize:
      length += growth;
      break;
    case Stretch::Move:
      start += growth;
      break;
    case Stretch::Fixed:
      break;
  }
}

}  // namespace

Rect place_control(const Rect& design, Size design_window, Size now, Strategy strategy) {
  Rect r = design;
  place_axis(r.x, r.width, design_window.width, now.width, strategy.horizontal);
  place_axis(r.y, r.height, design_window.height, now.height, strategy.vertical);
  return r;
}

void Resizer::add(std::string_view control, Rect design, Strategy strategy) {
  for (auto& e : entries_) {
    if (runtime::same_name(e.control, control)) {
      e.design = design;
      e.strategy = strategy;
      return;
    }
  }
  entries_.push_back(Entry{std::string(control), design, strategy});
}

void Resizer::remove(std::string_view control) {
  std::erase_if(entries_, [&](const Entry& e) { return runtime::same_name(e.control, control); });
}

std::vector<Resizer::Placed> Resizer::layout(Size now) const {
  std::vector<Placed> out;
  out.reserve(entries_.size());
  for (const auto& e : entries_)
    out.push_back(Placed{e.control, place_control(e.design, design_, now, e.strategy)});
  return out;
}

}  // namespace dane
