// Changing a configuration parameter: the session list, the change log and the stored value in one call.
#include <mutex>
#include <shared_mutex>
#include <string>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/decimal.h"
#include "runtime/text.h"

namespace keldox {
namespace {

enum class Kind { System, User };

// The firm's account number is also the value of every report parameter called IBAN, in every variant.
void give_account_to_reports(std::string_view account) {
  EXECSQL(
      "update wartosc_parametru  with (rowlock)  set wartosc=" + sql_text(account) +
      " from wartosc_parametru w,parametr_raportu p where p.id_parametru=w.id_parametru and  p.nazwa='IBAN'");
}

void apply_user_effects(std::string_view code, std::string_view value) {
  if (code == "DOMKASA") {
    const runtime::Decimal desk = runtime::Decimal::parse(runtime::trim(value));
    dane::GLO.ID_KASY = desk.ok() ? desk.to_double() : 0;
  } else if (code == "DRZEWKOFILTRROZ") {
    dane::ROZRACH_DRZEWKO_LOADED = 0;
  }
}

void change(Kind kind, std::string_view value, std::string_view name) {
  auto& list = kind == Kind::System ? dane::S_PARAMKONFQ : dane::U_PARAMKONFQ;
  const std::string_view plain_name = runtime::trim_right(name);
  const std::string code = runtime::to_upper(plain_name);
  const std::string_view new_value = runtime::trim_right(value);

  std::string old_value;
  {
    std::unique_lock lock(list.mutex());
    list.clear_buffer();
    if (!list.fetch<dane::ParamKonfEntry::ByCode>(std::string_view(code))) return;
    old_value = std::string(runtime::trim_right(list.buffer.WARTOSC.view()));
  }
  if (kind == Kind::System && plain_name == "IBAN" && old_value != new_value)
    give_account_to_reports(new_value);
  if (old_value == new_value) return;

  const std::string kind_letter = kind == Kind::System ? "'s'," : "'u',";
  EXECSQL("call AP_ZapiszDoLoguParam (" + kind_letter + sql_id(dane::GLO.ID_FIRMY) + "," +
          sql_id(dane::GLO.ID_UZYTKOWNIKA) + "," + sql_text(code) + "," + sql_text(old_value) + "," +
          sql_text(new_value) + ")");
  {
    std::unique_lock lock(list.mutex());
    if (list.fetch<dane::ParamKonfEntry::ByCode>(std::string_view(code))) {
      list.buffer.WARTOSC = new_value;
      list.put();
    }
  }
  if (kind == Kind::System) {
    EXECSQL("call RM_ZapiszParamKonf('s'," + sql_id(dane::GLO.ID_FIRMY) + "," + sql_text(plain_name) + "," +
            sql_text(new_value) + ",0)");
  } else {
    EXECSQL("call RM_ZapiszParamKonf('u'," + sql_id(dane::GLO.ID_UZYTKOWNIKA) + "," + sql_text(plain_name) +
            "," + sql_text(new_value) + "," + sql_id(dane::GLO.ID_FIRMY) + ")");
    apply_user_effects(code, new_value);
  }
}

}  // namespace

void USTAWPARAMKONF(std::string_view value, std::string_view name, std::string_view kind) {
  const std::string_view k = runtime::trim_right(kind);
  if (k == "s") {
    change(Kind::System, value, name);
  } else if (k == "u") {
    change(Kind::User, value, name);
  }
  CLOSESQL();
}

}  // namespace keldox
