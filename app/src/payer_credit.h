// The main program's way to the credit-limit window: a payer chosen from those whose sales are checked.
#pragma once

namespace app {

void show_payer_credit_limit();

}  // namespace app
