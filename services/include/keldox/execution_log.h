// The execution log window: what a batch operation left in the table LOG_WYKONANIA under a context.
#pragma once

#include <memory>
#include <string_view>

#include "dane/browse.h"

namespace keldox {

// Opens the modal window "Informacje" (its place kept as "Log_wykonania") listing the current user's rows
// of the context in the order they were written, with "Zamknij" and the export to a spreadsheet. The
// context "SzabDokSer" titles it "Informacje o dokumentach pominiętych".
void LOG_WYKONANIA(std::string_view context);

// The window LOG_WYKONANIA runs, for hosts and tests that drive it themselves.
std::unique_ptr<dane::BrowseWindow> execution_log_window(std::string_view context);

}  // namespace keldox
