// The parameter values of the current report variant: read, set in memory, and stored in the database.
#include <mutex>
#include <optional>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "keldox/messages.h"
#include "keldox/report_variants.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"
#include "settings/variant_cache.h"

namespace keldox {
namespace {

using Entry = dane::ParametrWariantuEntry;

constexpr std::size_t kNameWidth = decltype(Entry::NAZWA)::width;
constexpr std::size_t kValueWidth = decltype(Entry::WARTOSC)::width;

// The entry of the current variant after its value was set; nothing when the variant has no such name.
std::optional<Entry> set_in_memory(std::string_view value, std::string_view name) {
  const std::string_view key = runtime::cut_to_width(name, kNameWidth);
  const std::string_view kept = runtime::cut_to_width(value, kValueWidth);
  std::optional<Entry> changed;
  {
    auto& list = dane::PARAMETRYWARIANTUQ;
    std::unique_lock lock(list.mutex());
    if (list.fetch<Entry::ByName>(key)) {
      list.buffer.WARTOSC = kept;
      list.put();
      changed = list.buffer;
    }
  }
  settings_detail::variant_cache().set_value(settings_detail::current_report(),
                                             settings_detail::current_variant(), key, kept);
  return changed;
}

}  // namespace

std::string WARTOSCPARAMETRU(std::string_view name) {
  auto& list = dane::PARAMETRYWARIANTUQ;
  std::unique_lock lock(list.mutex());
  if (!list.fetch<Entry::ByName>(runtime::cut_to_width(name, kNameWidth))) return {};
  return list.buffer.WARTOSC.str();
}

void ZAPISZWARTOSCPARAMETRU(std::string_view value, std::string_view name) {
  set_in_memory(value, name);
}

void ZAPISZWARTOSCPARAMETRUDOBAZY(std::string_view value, std::string_view name) {
  const std::optional<Entry> entry = set_in_memory(value, name);
  // Without an entry there is no parameter to store the value for: the identifiers left in the list's
  // buffer belong to another parameter, and writing there would overwrite its value.
  const bool written = entry && ESQL("Call JL_ZapiszParametrRaportu (" + sql_id(entry->ID_PARAMETRU) + "," +
                                         sql_id(entry->ID_WARIANTU) + "," + sql_id(dane::GLO.ID_UZYTKOWNIKA) +
                                         "," + sql_text(entry->WARTOSC.clipped()) + ")",
                                     1) == 0;
  if (!written) MSG_OSTRZEZENIE("Błąd zapisu parametru raportu!");
  CLOSESQL();
}

}  // namespace keldox
