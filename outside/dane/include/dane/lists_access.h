// Session lists and the record of the permissions: grants, the code catalogue, report rights and the
// ready access conditions of the document lists.
#pragma once

#include <cstdint>
#include <tuple>

#include "dane/list_key.h"
#include "dane/session_list.h"
#include "runtime/text.h"

namespace dane {

// ACCESSQ: the user's grants in the company; KOD in upper case, one entry per (KOD, ID2..ID5).
struct AccessEntry {
  runtime::FixedText<20> KOD;
  std::int32_t ID2 = 0;
  std::int32_t ID3 = 0;
  std::int32_t ID4 = 0;
  std::int32_t ID5 = 0;
  std::uint8_t RODZAJ_DOSTEPU = 0;
  runtime::FixedText<20> FLAGA_STANU;

  using ByCodeAndObjects =
      Key<&AccessEntry::KOD, &AccessEntry::ID2, &AccessEntry::ID3, &AccessEntry::ID4, &AccessEntry::ID5>;
  static constexpr auto fields() {
    return std::tuple{&AccessEntry::KOD,        &AccessEntry::ID2, &AccessEntry::ID3,
                      &AccessEntry::ID4,        &AccessEntry::ID5, &AccessEntry::RODZAJ_DOSTEPU,
                      &AccessEntry::FLAGA_STANU};
  }
};

// UPRAWNQ: the catalogue of permission codes with their kind letters; KOD in upper case.
struct UprawnEntry {
  runtime::FixedText<20> KOD;
  runtime::FixedText<20> RODZAJ;

  using ByCode = Key<&UprawnEntry::KOD>;
  static constexpr auto fields() { return std::tuple{&UprawnEntry::KOD, &UprawnEntry::RODZAJ}; }
};

// DOSTEPRAPORTOWQ: report rights; a report granted twice has two entries.
struct DostepRaportowEntry {
  std::int32_t ID_RAPORTU = 0;
  std::uint8_t RODZAJ_DOSTEPU = 0;

  using ByReport = Key<&DostepRaportowEntry::ID_RAPORTU>;
  static constexpr auto fields() {
    return std::tuple{&DostepRaportowEntry::ID_RAPORTU, &DostepRaportowEntry::RODZAJ_DOSTEPU};
  }
};

// FILTRYDOSTEPU: one T-SQL condition per document area (alias `a` is the list's main table); empty
// means no restriction, "1=0" no access.
struct FiltryDostepu {
  runtime::FixedText<5000> DOKUMENTY_MAGAZYNOWE;
  runtime::FixedText<5000> DOKUMENTY_HANDLOWE;
  runtime::FixedText<5000> DOKUMENTY_FINANSOWE;
  runtime::FixedText<5000> ZAMOWIENIA;
  runtime::FixedText<800> ZLECENIA_PRODUKCYJNE;
  runtime::FixedText<800> REZERWA;  // not filled by the session start; left to the modules
  runtime::FixedText<1600> ROZRACHUNKI;
  runtime::FixedText<200> CRM;
  runtime::FixedText<200> ZLECENIA_SERWISOWE;

  static constexpr auto fields() {
    return std::tuple{&FiltryDostepu::DOKUMENTY_MAGAZYNOWE, &FiltryDostepu::DOKUMENTY_HANDLOWE,
                      &FiltryDostepu::DOKUMENTY_FINANSOWE,  &FiltryDostepu::ZAMOWIENIA,
                      &FiltryDostepu::ZLECENIA_PRODUKCYJNE, &FiltryDostepu::REZERWA,
                      &FiltryDostepu::ROZRACHUNKI,          &FiltryDostepu::CRM,
                      &FiltryDostepu::ZLECENIA_SERWISOWE};
  }
};

extern SessionList<AccessEntry> ACCESSQ;
extern SessionList<UprawnEntry> UPRAWNQ;
extern SessionList<DostepRaportowEntry> DOSTEPRAPORTOWQ;
extern FiltryDostepu FILTRYDOSTEPU;

}  // namespace dane
