// Filling a record's classifier values: defaults of a new record, the columns of an existing one, and the
// values that server functions compute.
#include <utility>
#include <vector>

#include "classifiers/group_fields.h"
#include "dane/database.h"
#include "keldox/classifiers.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/date.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::uint8_t kNewRecord = 1;

struct Computed {
  std::size_t number;
  std::string expression;
};

bool any_value(const ClassifierValues& values) {
  for (const auto& v : values) {
    if (!v.blank()) return true;
  }
  return false;
}

}  // namespace

std::uint8_t KLASYFIKATORY_INITUSE(std::string_view key_column, std::string_view group, double record,
                                   ClassifierValues& values, std::uint8_t mode) {
  ClassifierValues filled = values;
  std::string columns;
  std::vector<Computed> computed;
  std::size_t walked = 0;
  {
    classifiers_detail::GroupFields fields(group);
    const std::string id = sql_id(record);
    for (std::size_t n = 1; fields[n] != nullptr; ++n) {
      const dane::KlasyfikatorEntry& field = *fields[n];
      walked = n;
      if (!columns.empty()) columns += ',';
      columns += field.NAZWA_POLA_MAP.clipped();
      if (mode == kNewRecord) {
        filled[n - 1] = field.WARTOSC_DOMYSLNA.clipped();
        const std::string_view fallback = runtime::trim(field.WARTOSC_DOMYSLNA.view());
        if (field.CZY_WYMAGANE == 1 &&
            classifiers_detail::data_type(field) == classifiers_detail::DataType::date &&
            (fallback.empty() || fallback == "0")) {
          filled[n - 1] = std::to_string(runtime::today());
        }
      }
      if (field.TYP_POLA == classifiers_detail::kComputedKind && classifiers_detail::active(field))
        computed.push_back({n, classifiers_detail::computed_expression(field, id)});
    }
  }
  if (mode != kNewRecord && walked > 0) {
    const std::string statement = "select " + columns + " from " +
                                  std::string(classifiers_detail::values_table(group)) + " where " +
                                  std::string(runtime::trim(key_column)) + "=" + sql_id(record);
    EXECSQL(statement);
    const db::Status status = dane::database().last_error();
    if (!status.ok()) {
      CLOSESQL();
      MSG_OSTRZEZENIE(status.text);
      return any_value(values) ? 1 : 0;
    }
    if (next_row()) {
      for (std::size_t n = 1; n <= walked; ++n) filled[n - 1] = runtime::trim_right(column(n));
    }
    CLOSESQL();
  }
  if (mode != 0) {
    for (const Computed& c : computed)
      filled[c.number - 1] = runtime::trim_right(FUNCSQL("select " + c.expression));
  }
  values = std::move(filled);
  return any_value(values) ? 1 : 0;
}

}  // namespace keldox
