// Message boxes with the product's fixed titles, icons and buttons, shown through the window host.
#include "keldox/messages.h"

#include <string>

#include "dane/host.h"
#include "runtime/text.h"

namespace keldox {

std::uint8_t MSG_PYTANIE(std::string_view text, std::string_view title) {
  const std::string_view clipped = runtime::trim_right(title);
  dane::MessageBox box;
  box.title = clipped.empty() ? "MIRLET: Pytanie" : std::string(clipped);
  box.text = std::string(text);
  box.icon = dane::Icon::Question;
  box.buttons = dane::button::kYes | dane::button::kNo;
  box.default_answer = dane::button::kNo;
  return dane::host().message(box) == dane::button::kYes ? 2 : 4;
}

void MSG_INFORMACJA(std::string_view text) {
  dane::host().message(dane::MessageBox{"MIRLET: Informacja",
                                        std::string(text),
                                        dane::Icon::Information,
                                        dane::button::kOk,
                                        {},
                                        dane::button::kOk});
}

void MSG_OSTRZEZENIE(std::string_view text) {
  dane::host().message(dane::MessageBox{"MIRLET: Ostrzeżenie",
                                        std::string(text),
                                        dane::Icon::Exclamation,
                                        dane::button::kOk,
                                        {},
                                        dane::button::kOk});
}

void WALIDACJA(std::string_view message) {
  MSG_OSTRZEZENIE(message);
}

void ERRORWIN(std::string_view text, std::string_view title) {
  dane::host().error_window(text, title);
}

}  // namespace keldox
