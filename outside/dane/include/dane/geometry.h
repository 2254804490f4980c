// Placement of windows and controls in screen units, and the measures of the application frame that a
// window filling the frame's free area needs.
#pragma once

namespace dane {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A control or window whose placement can be read and changed: a host's widget, or a held value where no
// widget exists (controllers run headless, tests).
class Placement {
 public:
  virtual ~Placement() = default;
  virtual Rect rect() const = 0;
  virtual void set_rect(const Rect& rect) = 0;
};

class HeldPlacement : public Placement {
 public:
  HeldPlacement() = default;
  explicit HeldPlacement(const Rect& rect) : rect_(rect) {}
  Rect rect() const override { return rect_; }
  void set_rect(const Rect& rect) override { rect_ = rect; }

 private:
  Rect rect_;
};

// How the frame shows its ribbon: shown, switched off (an icon bar may stand in its place) or hiding
// itself until the pointer reaches it.
enum class Ribbon { Shown, Off, AutoHide };

// The application frame as the main program reports it: the size of its client area, the width of the
// system's frame border and the height of a window caption.
struct FrameMetrics {
  int client_width = 0;
  int client_height = 0;
  int border = 0;
  int caption_height = 0;
  Ribbon ribbon = Ribbon::Shown;
};

// The last measures the main program set (all zero until then). Any thread may read and set them.
FrameMetrics frame_metrics();
void set_frame_metrics(const FrameMetrics& metrics);

}  // namespace dane
