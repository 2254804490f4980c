// The small money windows of a document line and a cash sale: the discount and markup converter and the
// change calculator. Amounts are computed in decimal with 2 places, halves rounded away from zero.
#pragma once

#include <cstdint>
#include <string_view>

namespace keldox {

// The discount or markup of a line as a percentage, an amount or the resulting price, kept consistent with
// the base price that the caller's percentage and price imply. On OK writes the percentage and the
// resulting price back; on cancel leaves them. `price_kind` "Brutto" captions gross prices; `subject`
// "Wartość" works on a line's value instead of its price.
void PRZELICZNIKRABATU(double& percentage, double& price, std::string_view price_kind = {},
                       std::string_view subject = {});

// The change to give at a cash sale: the user types the amount paid, the change is paid − due. The three
// values go back to the caller when the window closes, whatever its response (left in GLOBALRESPONSE);
// the request is taken from GLOBALREQUEST. Returns 1 once the window has closed.
std::uint8_t WYDAWANIERESZTY(double& due, double& paid, double& change);

}  // namespace keldox
