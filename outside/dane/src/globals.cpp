// The one instance of the session state and its reset.
#include "dane/globals.h"

#include "dane/lists_access.h"
#include "dane/lists_money.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"

namespace dane {

Globals GLO;
PpGlobals PP;
SharedValue<std::uint8_t> GLOBALREQUEST;
SharedValue<std::uint8_t> GLOBALRESPONSE;
std::uint8_t ROZRACH_DRZEWKO_LOADED = 0;

void reset_session() {
  GLO = Globals{};
  PP = PpGlobals{};
  GLOBALREQUEST = 0;
  GLOBALRESPONSE = 0;
  ROZRACH_DRZEWKO_LOADED = 0;
  FILTRYDOSTEPU = FiltryDostepu{};
  S_PARAMKONFQ.reset();
  U_PARAMKONFQ.reset();
  PARAMETRYWARIANTUQ.reset();
  FORMAT_NUMERACJI_Q.reset();
  OKNAQ.reset();
  INI_BRO.reset();
  INI_KOL_BRO.reset();
  INI_PAR_OKNO.reset();
  ACCESSQ.reset();
  UPRAWNQ.reset();
  DOSTEPRAPORTOWQ.reset();
  VATQ.reset();
  OPERACJE_DODATKOWE.reset();
  KOL_MAGAZYNOW.reset();
  DOKNIEZATWQ.reset();
}

}  // namespace dane
