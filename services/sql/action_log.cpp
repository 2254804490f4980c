// One entry of the database's action log for this program (code 3).
#include "keldox/action_log.h"

#include <string>

#include "dane/globals.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"
#include "zaz_channel.h"

namespace keldox {

void ZAPISZDOLOGU(double object_id, std::string_view object_kind, std::uint8_t action,
                  std::string_view description) {
  const auto& g = dane::GLO;
  EXECSQLZAZ("call AP_ZapiszDoLogu(" + sql_id(g.ID_FIRMY) + "," + sql_id(g.ID_MAGAZYNU) + "," +
             sql_id(g.ID_UZYTKOWNIKA) + "," + sql_id(object_id) + "," +
             sql_text(runtime::trim_right(object_kind)) + "," + std::to_string(action) + ",'" +
             REPLACEPROC2(runtime::trim_right(description), "'", "\"") + "',3)");
}

}  // namespace keldox
