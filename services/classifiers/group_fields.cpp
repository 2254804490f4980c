#include "classifiers/group_fields.h"

#include <algorithm>

#include "dane/globals.h"
#include "runtime/text.h"

namespace keldox::classifiers_detail {

GroupFields::GroupFields(std::string_view group) : lock_(dane::GLO.KOL_KLASYFIKATOROW.mutex()) {
  const auto& list = dane::GLO.KOL_KLASYFIKATOROW;
  const std::string_view code = runtime::trim_right(group);
  for (std::size_t n = 1; n <= kClassifierFields; ++n) {
    fields_[n - 1] = list.find<dane::KlasyfikatorEntry::ByGroupAndNumber>(code, static_cast<std::int32_t>(n));
  }
}

void GroupFields::release() {
  fields_.fill(nullptr);
  if (lock_.owns_lock()) lock_.unlock();
}

DataType data_type(const dane::KlasyfikatorEntry& field) {
  const std::string_view type = runtime::trim(field.TYP_DANYCH.view());
  // The usual spellings first: this runs for every field of every filter.
  if (type == "tekst") return DataType::text;
  if (type == "liczba") return DataType::number;
  if (runtime::same_name(type, "tekst")) return DataType::text;
  if (runtime::same_name(type, "liczba")) return DataType::number;
  if (runtime::same_name(type, "liczba całkowita")) return DataType::integer;
  if (runtime::same_name(type, "data")) return DataType::date;
  if (runtime::same_name(type, "hiperłącze")) return DataType::hyperlink;
  return DataType::other;
}

bool numeric(DataType type) {
  return type == DataType::number || type == DataType::integer || type == DataType::date;
}

bool active(const dane::KlasyfikatorEntry& field) {
  return field.CZY_AKTYWNE == 1;
}

std::string_view values_table(std::string_view group) {
  const std::string_view code = runtime::trim(group);
  return runtime::same_name(code, "Rozrachunek") ? std::string_view("Rozrachunek_mag_v") : code;
}

std::string computed_expression(const dane::KlasyfikatorEntry& field, std::string_view record) {
  std::string expression(field.proc_nazwa.clipped());
  if (field.proc_id_dokumentu == 1) {
    expression += '(';
    expression += record;
    expression += ')';
  }
  return expression;
}

}  // namespace keldox::classifiers_detail
