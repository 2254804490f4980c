// The session globals: the values every library shares for the length of a working session.
#pragma once

#include <array>
#include <cstdint>

#include "dane/lists_money.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"
#include "dane/session_list.h"
#include "dane/shared_value.h"
#include "runtime/text.h"

namespace dane {

// The assistant that follows one window: ID_WATKU is the thread of that window, 0 when none.
struct AsystentGrupa {
  SharedValue<std::int32_t> ID_WATKU;
};

// One member per GLO: global, named as the system names it (GLO:ID_FIRMY is GLO.ID_FIRMY).
// Identifiers are double holding whole numbers; dates are day numbers (28.12.1800 = 0), clock values
// hundredths of a second since midnight; flags are small integers; texts cut silently at their width.
// The start-up writes most members and every thread reads them afterwards; members that worker and
// window threads write while others read are SharedValue (atomic, used like the plain value).
struct Globals {
  // Who and where.
  double ID_FIRMY = 0;
  double ID_UZYTKOWNIKA = 0;
  double ID_MAGAZYNU = 0;
  double ID_KASY = 0;
  double ID_PRACOWNIKA = 0;
  double ID_KONTA_MAGAZYNU = 0;
  runtime::FixedText<50> NAZWA_PRACOWNIKA;
  runtime::FixedText<20> LOGIN;
  std::int32_t HOSTPROCESS = 0;
  runtime::FixedText<100> MAG_WYROZNIK_SYNCHRONIZACJI;
  std::uint8_t MP = 0;
  std::uint8_t METODA_KASOWA = 0;
  runtime::FixedText<4> WAL_BAZOWA;

  // Session state.
  std::uint8_t WYJDZ_Z_HALTEM = 0;
  std::uint8_t STARTPOAKTUALIZACJI = 0;  // 1 the user wants the change list, 2 declined
  std::uint8_t WATCHOK = 0;
  SharedValue<std::uint8_t> MODULKONTROLIAKTYWNY;
  SharedValue<std::uint8_t> BRWOPENING;
  AsystentGrupa ASYSTENTGRUPA;
  std::int32_t WATEKAPP = 0;  // the main program's thread
  runtime::FixedText<300> LASTURL;
  // Whether the workstation reached the internet when the session started (checked before downloads).
  std::uint8_t POLACZENIE_INTERNETOWE = 1;

  // Statement layer, shared with the statement window's worker threads.
  SharedValue<std::int32_t> TABLEOPENTIME;
  SharedValue<std::uint8_t> VAXOPENED;

  // Working mode and product.
  std::uint8_t SKLEPINTERNETOWY = 0;
  std::uint8_t WSPOLPRACAZRAKSEM = 0;
  std::uint8_t CROSS = 0;
  std::uint8_t OO = 0;
  std::int32_t RODZAJWERSJI = 0;
  double WERSJABAZY = 0;  // a decimal of 8 digits with 4 after the point
  std::int32_t WARIANTDEDYKOWANY = 0;

  // Places. Widths of folders and connection texts not fixed elsewhere follow the settings-file path.
  runtime::FixedText<260> LOCALPATH;
  runtime::FixedText<260> PATH_INI;
  runtime::FixedText<260> CUINSTANCE;
  runtime::FixedText<260> NUINSTANCE;
  runtime::FixedText<260> CUTEMP;
  runtime::FixedText<260> PROGCOMMONZORVA;
  runtime::FixedText<128> SERWER;
  runtime::FixedText<128> BAZA;
  runtime::FixedText<199> OWNERNAME;

  // Session period and its working copy (the _LOC twins); ZAKRESPOS is the position 1-23 of the range.
  runtime::FixedText<20> ZAKRES;
  std::uint8_t ZAKRESPOS = 0;
  runtime::FixedText<100> ZAKRESOPIS;
  std::int32_t DATA_OD = 0;
  std::int32_t DATA_DO = 0;
  runtime::FixedText<20> ZAKRES_LOC;
  std::uint8_t ZAKRESPOS_LOC = 0;
  runtime::FixedText<100> ZAKRESOPIS_LOC;
  std::int32_t DATA_OD_LOC = 0;
  std::int32_t DATA_DO_LOC = 0;
  // Month names; TABLICAMIESIECY[m - 1] is month m.
  std::array<runtime::FixedText<19>, 12> TABLICAMIESIECY{};

  // User settings.
  std::int16_t BRUTTO_NETTO = 0;
  runtime::FixedText<4> ILOSCARTBEZPRZECINKA;
  std::uint8_t CONTR_LIST_HEIGHT = 0;
  std::uint8_t CONTR_LIST_FONT_SIZE = 0;
  runtime::FixedText<100> CONTR_LIST_FONT;
  std::uint8_t TOOLTIPTYPE = 1;  // 1 classic, 2 modern

  // Lists that live under GLO.
  SessionList<RachunekBankowyEntry> KOLRACHBANK;
  SessionList<KlasyfikatorEntry> KOL_KLASYFIKATOROW;
  SessionList<OtwarteOknoEntry> KOLEJKAOTWARTYCHOKIEN;
};

// PP:OTWARCIEAWARYJNE is PP.OTWARCIEAWARYJNE: 1 when the session started in emergency mode.
struct PpGlobals {
  std::int16_t OTWARCIEAWARYJNE = 0;
};

// GLOBALREQUEST and GLOBALRESPONSE hold the codes of dane::Request and dane::Response (window.h).
// The process-wide session state. Call sites read as the system writes it: GLO.ID_FIRMY,
// PP.OTWARCIEAWARYJNE, GLOBALREQUEST.
extern Globals GLO;
extern PpGlobals PP;
extern SharedValue<std::uint8_t> GLOBALREQUEST;
extern SharedValue<std::uint8_t> GLOBALRESPONSE;
extern std::uint8_t ROZRACH_DRZEWKO_LOADED;

// Puts every global, every session list and FILTRYDOSTEPU back to the state of a fresh process.
// For tests and for a new session in the same process; no other thread may use them meanwhile.
void reset_session();

}  // namespace dane
