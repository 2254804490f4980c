// A band of a printed report as the code that fills it sees it: text controls with their numbers, texts
// and places (in the report's units, thousandths of an inch), read back by whoever prints the band.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dane {

struct ReportControl {
  std::int32_t number = 0;
  std::string text;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

class ReportBand {
 public:
  // The width a text of the band's font takes per character.
  static constexpr std::int32_t kCharacterWidth = 60;
  static constexpr std::int32_t kLineHeight = 150;

  // Adds a text control, as wide as its text; a number already on the band is replaced.
  void add_text(std::int32_t number, std::string text, std::int32_t x, std::int32_t y) {
    ReportControl control{number, std::move(text), x, y, 0, kLineHeight};
    control.width = text_width(control.text);
    for (ReportControl& c : controls_) {
      if (c.number == number) {
        c = std::move(control);
        return;
      }
    }
    controls_.push_back(std::move(control));
  }
  const std::vector<ReportControl>& controls() const { return controls_; }
  const ReportControl* control(std::int32_t number) const {
    for (const ReportControl& c : controls_) {
      if (c.number == number) return &c;
    }
    return nullptr;
  }

  // Characters, not bytes, count: a Polish letter takes one place.
  static std::int32_t text_width(std::string_view text) {
    std::int32_t chars = 0;
    for (const char c : text) {
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
    }
    return chars * kCharacterWidth;
  }

 private:
  std::vector<ReportControl> controls_;
};

}  // namespace dane
