// The action log: who did what, in which company and warehouse, on which object.
#pragma once

#include <cstdint>
#include <string_view>

namespace keldox {

// Writes one entry through AP_ZapiszDoLogu on the VAXZAZ channel with its retries; a failed write never
// stops the caller. Apostrophes of the description become double quotes; the object kind is quoted safely.
void ZAPISZDOLOGU(double object_id, std::string_view object_kind, std::uint8_t action,
                  std::string_view description);

}  // namespace keldox
