// Loading the session's lists after log-in, in the order of the session start.
#include "start/session_lists.h"

#include "dane/globals.h"
#include "dane/lists_access.h"
#include "dane/record_fields.h"
#include "keldox/numbering_formats.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "slownik/dictionaries.h"
#include "start/access_filters.h"
#include "start/loaders.h"

namespace start {

// Between these steps the full sequence adds what does not exist yet: the forced choice of company
// (when the stored one is 0), the check that the user holds any right in it ("SYS"), the extension hooks
// and the starting employee, the additional tables, the check of the warehouse and cash desk with their
// forced choice (and the parameters loaded again), the default accounts and the base currency.
bool load_session_lists() {
  using dane::GLO;
  GLO.WYJDZ_Z_HALTEM = 0;
  dane::ACCESSQ.reset();
  dane::assign_from_text(GLO.ID_FIRMY,
                         keldox::FUNCSQL("select wartosc from INTERUZYTKOWNIKPOZYCJA with (nolock) "
                                         "where id_pozycji=503 and id_firmy=0 and id_uzytkownika=" +
                                         keldox::sql_id(GLO.ID_UZYTKOWNIKA)));
  LADUJPARAMETRYKONF();
  LADUJOPERACJE_DODATKOWE();
  keldox::LADUJUPRAWNIENIA();
  keldox::LADUJFORMATYNUMERACJI();
  LADUJKLASYFIKATORY();
  LADUJMAGAZYNY();
  slownik::LOADVAT();  // may leave the choice to end the program to the user
  if (GLO.WYJDZ_Z_HALTEM != 0) return false;
  USTAWFILTRYDOSTEPU();
  if (GLO.WYJDZ_Z_HALTEM != 0) return false;
  LADUJZMIENNEGLOBALNE();
  keldox::CLOSESQL();
  return true;
}

}  // namespace start
