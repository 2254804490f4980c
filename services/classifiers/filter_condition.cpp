// The SQL condition that a set of classifier filter values describes.
#include "classifiers/group_fields.h"
#include "db/literals.h"
#include "keldox/classifiers.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using classifiers_detail::DataType;

// The operators a term may be written with. Callers pass what their operator lists offer; anything else
// would be written into the statement as it stands, so such a term is left out.
bool known_operator(std::string_view op) {
  for (std::string_view known : {"=", "<>", "!=", ">", ">=", "<", "<=", "like", "not like"}) {
    if (runtime::same_name(op, known)) return true;
  }
  return false;
}

bool comparison(std::string_view op) {
  for (std::string_view known : {">", ">=", "<", "<=", "<>"}) {
    if (op == known) return true;
  }
  return false;
}

void append_term(std::string& out, std::string_view term_start) {
  if (!out.empty()) out += " and ";
  out += term_start;
}

}  // namespace

std::string KLASYFIKATORY_UTWORZSQL(std::string_view group, const ClassifierValues& values,
                                    const ClassifierMarks* operators) {
  classifiers_detail::GroupFields fields(group);
  std::string condition;
  std::string identifier;  // "A." + the group's identifier column, read once when a function needs it
  bool identifier_read = false;
  for (std::size_t n = 1; n <= kClassifierFields; ++n) {
    const dane::KlasyfikatorEntry* field = fields[n];
    if (field == nullptr) continue;
    const std::string_view value = values[n - 1].clipped();
    if (value.empty()) continue;
    const std::string_view column_name = field->NAZWA_POLA_MAP.clipped();
    std::string column;
    if (field->TYP_POLA == classifiers_detail::kComputedKind) {
      if (field->proc_id_dokumentu == 1 && !identifier_read) {
        identifier = "A." + FUNCSQL(
                                "select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA with (nolock) where "
                                "kod_klas_grupy='" +
                                sql_escape(runtime::trim_right(group)) + "'");
        identifier.assign(runtime::trim_right(identifier));
        identifier_read = true;
      }
      column = classifiers_detail::computed_expression(*field, identifier);
    } else {
      column = "A.";
      column += column_name;
    }
    const DataType type = classifiers_detail::data_type(*field);
    const std::string quoted = sql_escape(value);
    if (operators == nullptr) {
      append_term(condition, column);
      if (type == DataType::text) {
        condition += " like '" + quoted + "%'";
      } else {
        condition += "='" + quoted + "'";
      }
      continue;
    }
    std::string_view op = (*operators)[n - 1].clipped();
    op = runtime::trim_left(op);
    if (op.empty()) continue;
    std::string_view wildcard;
    if (runtime::same_name(op, "zawiera")) {
      op = "like";
      wildcard = "%";
    } else if (runtime::same_name(op, "nie zawiera")) {
      op = "not like";
      wildcard = "%";
    } else if (!known_operator(op)) {
      continue;
    }
    if (classifiers_detail::numeric(type) && comparison(op)) {
      // Written unquoted, so only a number may stand there; a value that is none compares with 0.
      append_term(condition, "cast(A.");
      condition += column_name;
      condition += " as real) ";
      condition += op;
      condition += db::number_literal(value);
      continue;
    }
    append_term(condition, column);
    condition += ' ';
    condition += op;
    condition += " '";
    condition += wildcard;
    condition += quoted;
    condition += wildcard;
    condition += '\'';
  }
  return condition;
}

}  // namespace keldox
