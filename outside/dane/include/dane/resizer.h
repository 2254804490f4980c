// The window resizer: where each control of a window designed at one size goes when the window has
// another, so that the controls keep their places relative to each other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dane/geometry.h"

namespace dane {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// What a control does along one axis when the window grows by some amount (or shrinks back towards its
// design size).
enum class Stretch {
  Scale,   // position and size in proportion to the window: controls that touch keep touching
  Resize,  // stays where it is and takes all the growth (a list, a text area)
  Move,    // keeps its size and moves by the growth (OK and Cancel at the bottom right)
  Fixed,   // neither moves nor grows (a label at the top left)
};

struct Strategy {
  Stretch horizontal = Stretch::Scale;
  Stretch vertical = Stretch::Scale;
};

// Where `design` goes in a window of size `now` that was designed at `design_window`. The window is never
// laid out below its design size: a smaller `now` counts as the design size in that direction. A design
// window of zero size leaves the control as designed.
Rect place_control(const Rect& design, Size design_window, Size now, Strategy strategy);

class Resizer {
 public:
  explicit Resizer(Size design_window) : design_(design_window) {}

  // Remembers a control at its designed place; a control added again takes the new place and strategy.
  void add(std::string_view control, Rect design, Strategy strategy = {});
  void remove(std::string_view control);

  struct Placed {
    std::string control;
    Rect rect;
  };
  // Every control's place in a window of size `now`, in the order they were added.
  std::vector<Placed> layout(Size now) const;
  // The smallest size the window should be given: its design size.
  Size minimum() const { return design_; }

 private:
  struct Entry {
    std::string control;
    Rect design;
    Strategy strategy;
  };
  Size design_;
  std::vector<Entry> entries_;
};

}  // namespace dane
