// Session lists of money: the active VAT rates and the company's default bank account per currency.
#pragma once

#include <cstdint>
#include <tuple>

#include "dane/list_key.h"
#include "dane/session_list.h"
#include "runtime/text.h"

namespace dane {

// VATQ: active VAT rates in the order rate descending, code; searched by exact code. STAWKA is a
// percentage with two places (23.00 = 23 %); arithmetic converts it to a decimal on use.
struct VatEntry {
  runtime::FixedText<10> KOD_VAT;
  double STAWKA = 0;

  using ByCode = Key<&VatEntry::KOD_VAT>;
  static constexpr auto fields() { return std::tuple{&VatEntry::KOD_VAT, &VatEntry::STAWKA}; }
};

// GLO.KOLRACHBANK: one default company account per currency, kept in currency order.
struct RachunekBankowyEntry {
  std::int32_t ID_RACHUNKU = 0;
  runtime::FixedText<4> SYM_WALUTY;

  using ByCurrency = Key<&RachunekBankowyEntry::SYM_WALUTY>;
  static constexpr auto fields() {
    return std::tuple{&RachunekBankowyEntry::ID_RACHUNKU, &RachunekBankowyEntry::SYM_WALUTY};
  }
};

extern SessionList<VatEntry> VATQ;

}  // namespace dane
