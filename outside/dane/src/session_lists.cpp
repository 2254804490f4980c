// The one instance of every session list that does not live under GLO.
#include "dane/lists_access.h"
#include "dane/lists_money.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"

namespace dane {

SessionList<ParamKonfEntry> S_PARAMKONFQ;
SessionList<ParamKonfEntry> U_PARAMKONFQ;
SessionList<ParametrWariantuEntry> PARAMETRYWARIANTUQ;
SessionList<FormatNumeracjiEntry> FORMAT_NUMERACJI_Q;
SessionList<OknoEntry> OKNAQ;
SessionList<IniBroEntry> INI_BRO;
SessionList<IniKolBroEntry> INI_KOL_BRO;
SessionList<IniParOknoEntry> INI_PAR_OKNO;

SessionList<AccessEntry> ACCESSQ;
SessionList<UprawnEntry> UPRAWNQ;
SessionList<DostepRaportowEntry> DOSTEPRAPORTOWQ;
FiltryDostepu FILTRYDOSTEPU;

SessionList<VatEntry> VATQ;

SessionList<OperacjaDodatkowaEntry> OPERACJE_DODATKOWE;
SessionList<MagazynEntry> KOL_MAGAZYNOW;
SessionList<DokNiezatwEntry> DOKNIEZATWQ;

}  // namespace dane
