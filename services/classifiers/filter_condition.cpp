// The SQL condition that a set of classifier filter values describes.
#include <optional>

#include "classifiers/group_fields.h"
#include "db/literals.h"
#include "keldox/classifiers.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using classifiers_detail::DataType;

constexpr std::string_view kContains = "zawiera";
constexpr std::string_view kNotContains = "nie zawiera";

// The operators a term may be written with, as the operator is given or in its own spelling; empty for
// any other. Callers pass what their operator lists offer; anything else would be written into the
// statement as it stands, so such a term is left out.
std::string_view known_operator(std::string_view op) {
  static constexpr std::string_view kKnown[] = {"=",  ">",    ">=",       "<",       "<=",        "<>",
                                                "!=", "like", "not like", kContains, kNotContains};
  // As the lists offer them first: this runs for every field of every filter.
  for (const std::string_view known : kKnown) {
    if (op == known) return known;
  }
  for (const std::string_view known : kKnown) {
    if (runtime::same_name(op, known)) return known;
  }
  return {};
}

bool comparison(std::string_view op) {
  for (std::string_view known : {">", ">=", "<", "<=", "<>"}) {
    if (op == known) return true;
  }
  return false;
}

// Whether a value of a computed field that takes the record's identifier is to be filtered on.
bool needs_identifier(const classifiers_detail::GroupFields& fields, const ClassifierValues& values) {
  for (std::size_t n = 1; n <= kClassifierFields; ++n) {
    const dane::KlasyfikatorEntry* field = fields[n];
    if (field != nullptr && field->TYP_POLA == classifiers_detail::kComputedKind &&
        field->proc_id_dokumentu == 1 && !values[n - 1].blank())
      return true;
  }
  return false;
}

// C of a term: the column over the alias, or the computed field's function.
void append_column(std::string& out, const dane::KlasyfikatorEntry& field, std::string_view identifier) {
  if (field.TYP_POLA == classifiers_detail::kComputedKind) {
    out += classifiers_detail::computed_expression(field, identifier);
  } else {
    out += "A.";
    out += field.NAZWA_POLA_MAP.clipped();
  }
}

}  // namespace

std::string KLASYFIKATORY_UTWORZSQL(std::string_view group, const ClassifierValues& values,
                                    const ClassifierMarks* operators) {
  std::optional<classifiers_detail::GroupFields> fields(std::in_place, group);
  // "A." + the group's identifier column, read once and without holding the definitions: a failed read
  // shows a window.
  std::string identifier;
  if (needs_identifier(*fields, values)) {
    fields.reset();
    identifier =
        "A." +
        std::string(runtime::trim_right(FUNCSQL(
            "select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA with (nolock) where kod_klas_grupy='" +
            sql_escape(runtime::trim_right(group)) + "'")));
    fields.emplace(group);
  }
  std::string condition;
  condition.reserve(256);
  for (std::size_t n = 1; n <= kClassifierFields; ++n) {
    const dane::KlasyfikatorEntry* field = (*fields)[n];
    if (field == nullptr) continue;
    const std::string_view value = values[n - 1].clipped();
    if (value.empty()) continue;
    const DataType type = classifiers_detail::data_type(*field);
    if (operators == nullptr) {
      if (!condition.empty()) condition += " and ";
      append_column(condition, *field, identifier);
      condition += type == DataType::text ? " like '" : "='";
      condition += sql_escape(value);
      condition += type == DataType::text ? "%'" : "'";
      continue;
    }
    const std::string_view given = runtime::trim_left((*operators)[n - 1].clipped());
    if (given.empty()) continue;
    std::string_view op = known_operator(given);
    std::string_view wildcard;
    if (op == kContains) {
      op = "like";
      wildcard = "%";
    } else if (op == kNotContains) {
      op = "not like";
      wildcard = "%";
    } else if (op.empty()) {
      continue;
    }
    if (!condition.empty()) condition += " and ";
    if (classifiers_detail::numeric(type) && comparison(op)) {
      // Written unquoted, so only a number may stand there; a value that is none compares with 0.
      condition += "cast(A.";
      condition += field->NAZWA_POLA_MAP.clipped();
      condition += " as real) ";
      condition += op;
      condition += db::number_literal(value);
      continue;
    }
    append_column(condition, *field, identifier);
    condition += ' ';
    condition += op;
    condition += " '";
    condition += wildcard;
    condition += sql_escape(value);
    condition += wildcard;
    condition += '\'';
  }
  return condition;
}

}  // namespace keldox
