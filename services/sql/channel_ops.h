// Steps shared by the operations of the command layer: the clock stamp, the close-clear-open-send run,
// and the error window rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "db/channel.h"
#include "db/status.h"

namespace keldox::sql_detail {

// Stores the clock into GLO.TABLEOPENTIME: the start of the layer's latest statement.
void stamp_clock();
// Closes the channel, clears its record, opens it in mode 34 and sends the statement without its trailing
// blanks. The outcome of the first step that failed, or of the send.
db::Status run_on(db::Channel channel, std::string_view statement);
// The error window for a failed statement, unless the failure is transient.
void show_unless_transient(const db::Status& status, std::string_view statement);
// Column 1 of the channel's next row cut to `width` characters; empty when there is no row.
std::string first_column(db::Channel channel, std::size_t width, bool* had_row = nullptr);

}  // namespace keldox::sql_detail
