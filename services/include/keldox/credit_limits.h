// Credit limits: whether a payer may take the trade document being issued on credit, and the window of the
// payer's balances that decides it.
//
// The document is the one in the session's trade-document record (DOKH: ID_DOKUMENTU_HANDLOWEGO, its total
// WARTOSC_BRUTTO and the part deducted on issue KWOTA_ODLICZONA). Where the firm parameter "BlokFuncHaslo"
// is "Tak", a refusal asks for the password of the function "LIMIT_KUPIECKI" first; a correct one allows
// the document. Otherwise the refusal is a warning.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/date.h"

namespace keldox {

// Blocking modes of a contractor (column BLOKOWANIE).
enum class CreditBlocking : std::uint8_t {
  none = 0,                // no check
  blocked = 1,             // no sale to the payer
  overdue = 2,             // none while receivables are overdue
  overdue_over_limit = 3,  // none when the overdue receivables and the credit part exceed the limit
  all_over_limit = 4,      // none when all receivables and the credit part exceed the limit
};

// 1 when the document must not be issued, 0 when it may. The credit part is the document's total less
// `deducted` less the document's own deducted part; modes 2 to 4 look no further when it is not above 0,
// modes 3 and 4 neither when `limit` is not above 0. Otherwise the window LIMITKUPIECKI decides in mode 2.
std::uint8_t WALIDACJALIMITU(double contractor, double payer, std::uint8_t blocking, double limit,
                             double deducted);

// The window "LimitKupiecki" of the payer's balances on `day` (today when not given): the limit, all and
// overdue receivables, liabilities, the balance, the part of the limit still available and the transaction.
// Window mode 1 only shows them (its one button reads "Zamknij") and answers 0; mode 2 decides on OK by the
// payer's blocking mode and answers 1 when the document is allowed. A cancelled window allows nothing.
std::uint8_t LIMITKUPIECKI(std::uint8_t window_mode, double contractor, double payer, double transaction,
                           double document, std::optional<runtime::DayNumber> day = std::nullopt);

}  // namespace keldox
