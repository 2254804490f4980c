// A payer's credit position as the credit-limit routines compute it from the open settlements.
#pragma once

#include <cstdint>
#include <string>

#include "db/procedures.h"

namespace server::detail {

// Open settlements of the payer: receivables are positive remainders, liabilities negative ones. A
// receivable is overdue on `day` when its due date plus the payer's days after the due date lies before
// it. Settlements of the document `document` (by its number) are left out: it is the one being issued.
struct CreditPosition {
  std::string receivables = "0";  // decimals with 2 places, as text
  std::string overdue = "0";
  std::string liabilities = "0";
  std::string balance = "0";
  std::string limit = "0";
  std::int64_t oldest_overdue = 0;      // due date of the oldest overdue receivable, 0 when none
  std::string uninvoiced_issues = "0";  // stock issues to the payer not yet on an invoice
};

db::Status credit_position(db::SqlLink& db, std::int64_t payer, std::int64_t document, std::int64_t day,
                           CreditPosition& out);

// Registers dbo.AP_Func_PodajLimitKontrDoWykorz on `db`.
void register_credit_functions(sqlite3* db);

}  // namespace server::detail
