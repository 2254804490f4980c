// What a refused credit sale does: the function password where the firm allows an override, else the
// warning of the payer's blocking mode.
#pragma once

#include <string>
#include <string_view>

#include "keldox/credit_limits.h"

namespace keldox::money {

// The warning of a refusal in `mode` for the payer `name`; empty for a mode that never refuses.
std::string credit_refusal_text(CreditBlocking mode, std::string_view name);

// True when the refusal stands: without the override, or when the function password was not given, the
// warning `text` is shown first.
bool refusal_stands(std::string_view text);

}  // namespace keldox::money
