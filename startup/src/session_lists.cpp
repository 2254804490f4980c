// Loading the session's lists after log-in, in the order of the session start.
#include "start/session_lists.h"

#include "keldox/column_settings.h"
#include "keldox/permissions.h"
#include "slownik/dictionaries.h"

namespace start {

void load_session_lists() {
  keldox::LADUJUPRAWNIENIA();
  keldox::LADUJUSTAWIENIAKOLUMN();
  slownik::LOADVAT();
}

}  // namespace start
