// The system's message boxes and the error window: every question, warning and notice goes through these.
#pragma once

#include <cstdint>
#include <string_view>

namespace keldox {

// Yes/No question, No the default. A title of blanks only gives "MIRLET: Pytanie". Answers 2 for Yes,
// 4 for No. "|" in the text starts a new line.
std::uint8_t MSG_PYTANIE(std::string_view text, std::string_view title = {});
// Notice with an OK button, titled "MIRLET: Informacja".
void MSG_INFORMACJA(std::string_view text);
// Warning with an OK button, titled "MIRLET: Ostrzeżenie".
void MSG_OSTRZEZENIE(std::string_view text);
// Shows `message` in the warning box of MSG_OSTRZEZENIE and returns when it is closed.
void WALIDACJA(std::string_view message);
// The resizable error window: `text` (a failed statement) under `title` (the driver's message).
void ERRORWIN(std::string_view text, std::string_view title);

}  // namespace keldox
