// Reading configuration parameters: lookups in the session lists, and the fresh read from the database.
#include "keldox/config_parameters.h"

#include <mutex>
#include <shared_mutex>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace keldox {
namespace {

dane::SessionList<dane::ParamKonfEntry>* list_of(std::string_view kind) {
  const std::string_view k = runtime::trim_right(kind);
  if (k == "s") return &dane::S_PARAMKONFQ;
  if (k == "u") return &dane::U_PARAMKONFQ;
  return nullptr;
}

template <typename Field>
std::string lookup(std::string_view name, std::string_view kind, Field field) {
  auto* list = list_of(kind);
  if (!list) return {};
  const std::string code = runtime::to_upper(runtime::trim_right(name));
  std::shared_lock lock(list->mutex());
  const dane::ParamKonfEntry* entry = list->find<dane::ParamKonfEntry::ByCode>(std::string_view(code));
  return entry ? std::string((entry->*field).view()) : std::string{};
}

}  // namespace

std::string POBIERZPARAMKONF(std::string_view name, std::string_view kind) {
  return lookup(name, kind, &dane::ParamKonfEntry::WARTOSC);
}

std::string MASKAPARAMKONF(std::string_view name, std::string_view kind) {
  return lookup(name, kind, &dane::ParamKonfEntry::MASKA);
}

std::string POBIERZPARAMKONFZBAZY(std::string_view name, std::string_view kind) {
  const std::string_view k = runtime::trim_right(kind);
  const std::string tail =
      " and p.kod=" + sql_text(runtime::trim_right(name)) + " and p.id_pozycji=i.id_pozycji";
  if (k == "s") {
    EXECSQL("select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where i.id_firmy=" +
            sql_id(dane::GLO.ID_FIRMY) + tail);
  } else if (k == "u") {
    EXECSQL("select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p where i.id_uzytkownika=" +
            sql_id(dane::GLO.ID_UZYTKOWNIKA) + tail);
  } else {
    return {};
  }
  if (!next_row()) return {};
  const std::string value(runtime::cut_to_width(column(1), 99));
  const std::string mask(runtime::cut_to_width(column(2), 19));
  return runtime::format_picture(mask, value);
}

}  // namespace keldox
