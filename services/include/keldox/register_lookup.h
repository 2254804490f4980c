// The business register lookup: the utility module's search window, and the picked firm's data copied
// into the caller's record group through its XML form (keldox/user_filters.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dane/record_group.h"

namespace keldox {

// 1 when a firm was picked and its data copied into the group's fields of the same names (NAZWA, NIP,
// KOD_POCZTOWY ...: the module's header lists them); 0 after a warning, or when the user picked nothing,
// with the group unchanged.
std::uint8_t PODAJDANEGUS(dane::RecordGroup& record);

// The module's answer made safe for the XML reader: the numeric references of ".", "-", ",", ")" as those
// characters, apostrophes as backquotes, a bare "&" escaped (one that begins a reference is left alone, so
// that a well-formed answer keeps its meaning) and "&quot;" as a quotation mark.
std::string clean_register_answer(std::string_view text);

}  // namespace keldox
