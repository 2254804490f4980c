// Session lists of the settings: configuration parameters, report-variant values, numbering formats,
// the window registers and the browse column layouts.
#pragma once

#include <cstdint>
#include <tuple>

#include "dane/list_key.h"
#include "dane/session_list.h"
#include "runtime/text.h"

namespace dane {

// S_PARAMKONFQ (the company's parameters) and U_PARAMKONFQ (the user's): one entry per parameter.
// KOD is held in upper case.
struct ParamKonfEntry {
  double ID_POZYCJI = 0;
  runtime::FixedText<20> KOD;
  runtime::FixedText<20> MASKA;
  runtime::FixedText<249> WARTOSC;

  using ByCode = Key<&ParamKonfEntry::KOD>;
  static constexpr auto fields() {
    return std::tuple{&ParamKonfEntry::ID_POZYCJI, &ParamKonfEntry::KOD, &ParamKonfEntry::MASKA,
                      &ParamKonfEntry::WARTOSC};
  }
};

// PARAMETRYWARIANTUQ: the parameters of the current report variant.
struct ParametrWariantuEntry {
  runtime::FixedText<49> NAZWA;
  runtime::FixedText<199> WARTOSC;
  double ID_PARAMETRU = 0;
  double ID_WARIANTU = 0;

  using ByName = Key<&ParametrWariantuEntry::NAZWA>;
  static constexpr auto fields() {
    return std::tuple{&ParametrWariantuEntry::NAZWA, &ParametrWariantuEntry::WARTOSC,
                      &ParametrWariantuEntry::ID_PARAMETRU, &ParametrWariantuEntry::ID_WARIANTU};
  }
};

// FORMAT_NUMERACJI_Q: numbering definitions of the company by kind, type and resource.
struct FormatNumeracjiEntry {
  std::uint8_t DOKUMENT = 0;
  std::int32_t ID_TYPU = 0;
  std::int32_t ID_ZASOBU = 0;
  runtime::FixedText<49> FORMAT;
  std::uint8_t OKRESNUMERACJI = 0;
  std::uint8_t PARAMETR1 = 0;
  std::uint8_t PARAMETR2 = 0;

  using ByKindTypeResource =
      Key<&FormatNumeracjiEntry::DOKUMENT, &FormatNumeracjiEntry::ID_TYPU, &FormatNumeracjiEntry::ID_ZASOBU>;
  static constexpr auto fields() {
    return std::tuple{&FormatNumeracjiEntry::DOKUMENT,       &FormatNumeracjiEntry::ID_TYPU,
                      &FormatNumeracjiEntry::ID_ZASOBU,      &FormatNumeracjiEntry::FORMAT,
                      &FormatNumeracjiEntry::OKRESNUMERACJI, &FormatNumeracjiEntry::PARAMETR1,
                      &FormatNumeracjiEntry::PARAMETR2};
  }
};

// OKNAQ: the register of open module windows; NAZWA in upper case.
struct OknoEntry {
  std::int32_t WATEK = 0;
  runtime::FixedText<20> NAZWA;

  using ByName = Key<&OknoEntry::NAZWA>;
  static constexpr auto fields() { return std::tuple{&OknoEntry::WATEK, &OknoEntry::NAZWA}; }
};

// GLO.KOLEJKAOTWARTYCHOKIEN: open windows kept as pairs of texts.
struct OtwarteOknoEntry {
  runtime::FixedText<254> DLUGI;
  runtime::FixedText<99> KROTKI;

  using ByBoth = Key<&OtwarteOknoEntry::DLUGI, &OtwarteOknoEntry::KROTKI>;
  static constexpr auto fields() { return std::tuple{&OtwarteOknoEntry::DLUGI, &OtwarteOknoEntry::KROTKI}; }
};

// INI_BRO: each browse window with the range of its column numbers.
struct IniBroEntry {
  runtime::FixedText<50> NAZWA;
  double ID_OKNA = 0;
  std::int32_t NR_KOL_PIERWSZEJ = 0;
  std::int32_t NR_KOL_OSTATNIEJ = 0;

  using ByName = Key<&IniBroEntry::NAZWA>;
  static constexpr auto fields() {
    return std::tuple{&IniBroEntry::NAZWA, &IniBroEntry::ID_OKNA, &IniBroEntry::NR_KOL_PIERWSZEJ,
                      &IniBroEntry::NR_KOL_OSTATNIEJ};
  }
};

// INI_KOL_BRO: one entry per column of a browse window as the user set it up. Loaded in the order
// window name, column number; browses look columns up by window name and user position (KOLEJNOSC).
struct IniKolBroEntry {
  runtime::FixedText<50> NAZWA_OKNA;
  double ID_OKNA = 0;
  double ID_KOLUMNY = 0;
  std::int32_t NUMER_KOLUMNY = 0;
  runtime::FixedText<50> NAZWA_KOLUMNY;
  std::int32_t ROZMIAR_KOLUMNY = 0;
  std::int32_t ROZMIAR = 0;
  std::int32_t KOLEJNOSC = 0;
  runtime::FixedText<200> FORMAT_KOLUMNY;
  std::uint8_t POLE_DODATKOWE = 0;
  std::uint8_t UKRYTA = 0;
  std::uint8_t PODLEGA_OBCIECIU = 0;

  using ByWindowColumn = Key<&IniKolBroEntry::NAZWA_OKNA, &IniKolBroEntry::NUMER_KOLUMNY>;
  using ByWindowPosition = Key<&IniKolBroEntry::NAZWA_OKNA, &IniKolBroEntry::KOLEJNOSC>;
  static constexpr auto fields() {
    return std::tuple{
        &IniKolBroEntry::NAZWA_OKNA,     &IniKolBroEntry::ID_OKNA,       &IniKolBroEntry::ID_KOLUMNY,
        &IniKolBroEntry::NUMER_KOLUMNY,  &IniKolBroEntry::NAZWA_KOLUMNY, &IniKolBroEntry::ROZMIAR_KOLUMNY,
        &IniKolBroEntry::ROZMIAR,        &IniKolBroEntry::KOLEJNOSC,     &IniKolBroEntry::FORMAT_KOLUMNY,
        &IniKolBroEntry::POLE_DODATKOWE, &IniKolBroEntry::UKRYTA,        &IniKolBroEntry::PODLEGA_OBCIECIU};
  }
};

// INI_PAR_OKNO: named per-user settings of windows ("sortowanie", "split", ...).
struct IniParOknoEntry {
  runtime::FixedText<50> NAZWA_OKNA;
  runtime::FixedText<50> NAZWA;
  runtime::FixedText<50> WARTOSC;

  using ByWindowSetting = Key<&IniParOknoEntry::NAZWA_OKNA, &IniParOknoEntry::NAZWA>;
  static constexpr auto fields() {
    return std::tuple{&IniParOknoEntry::NAZWA_OKNA, &IniParOknoEntry::NAZWA, &IniParOknoEntry::WARTOSC};
  }
};

extern SessionList<ParamKonfEntry> S_PARAMKONFQ;
extern SessionList<ParamKonfEntry> U_PARAMKONFQ;
extern SessionList<ParametrWariantuEntry> PARAMETRYWARIANTUQ;
extern SessionList<FormatNumeracjiEntry> FORMAT_NUMERACJI_Q;
extern SessionList<OknoEntry> OKNAQ;
// INI_BRO and INI_KOL_BRO are read by browses of several window threads: guard them with their mutex().
extern SessionList<IniBroEntry> INI_BRO;
extern SessionList<IniKolBroEntry> INI_KOL_BRO;
extern SessionList<IniParOknoEntry> INI_PAR_OKNO;

}  // namespace dane
