// Helpers that move a splitter and fill the application frame's free area with a window.
#pragma once

#include <cstdint>

#include "dane/geometry.h"

namespace keldox {

// Moves the splitter by `shift` to the right (left when negative): the splitter and the right control
// move by it, the left control grows by it and the right one shrinks by it. A shift of 0 changes nothing.
void USTAWSPLIT(dane::Placement& left, dane::Placement& splitter, dane::Placement& right, std::int32_t shift);

// The area inside the frame (dane::frame_metrics) that a full-area window takes: the client width less the
// user parameter "OknoSzerMarg" and the border plus 4; the client height less "OknoWysMarg", the border
// less 4, the caption and the toolbar area (70 with the ribbon shown, 28 with the ribbon off and the user
// parameter "PokazujPasekIkon" = "Tak", else 0). Never below 0.
dane::Rect free_frame_area();

// Opens the full-area window "Maksymalizuj" at 0, 0 over free_frame_area() and runs it until it closes:
// true. While that window is open a further call moves it over a changed area (true) or, when it already
// stands exactly there, does nothing (false).
bool MAKSYMALIZUJ();

// Opens the small modal window "UstawMysz" with its top-left corner at (x, y) and both sides `size`
// (at least 1) and returns when it closes.
void USTAWMYSZ(std::int32_t x, std::int32_t y, std::int32_t size);

}  // namespace keldox
