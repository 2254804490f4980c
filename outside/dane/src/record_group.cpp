// Record groups.
#include "dane/record_group.h"

#include "runtime/text.h"

namespace dane {

std::string bare_field_name(std::string_view name) {
  const auto colon = name.rfind(':');
  return runtime::to_upper(runtime::trim(colon == std::string_view::npos ? name : name.substr(colon + 1)));
}

void RecordGroup::add(std::string_view name, std::string_view value, bool array) {
  std::string full(runtime::trim(name));
  if (full.find(':') == std::string::npos) full = prefix_ + ":" + full;
  fields_.push_back({std::move(full), std::string(value), array});
}

GroupField* RecordGroup::find(std::string_view name) {
  const std::string bare = bare_field_name(name);
  for (GroupField& f : fields_) {
    if (bare_field_name(f.name) == bare) return &f;
  }
  return nullptr;
}

const GroupField* RecordGroup::field(std::string_view name) const {
  return const_cast<RecordGroup*>(this)->find(name);
}

std::string RecordGroup::value(std::string_view name) const {
  const GroupField* f = field(name);
  return f ? f->value : std::string();
}

bool RecordGroup::set(std::string_view name, std::string_view value) {
  GroupField* f = find(name);
  if (f == nullptr || f->array) return false;
  f->value.assign(value);
  return true;
}

void RecordGroup::clear() {
  for (GroupField& f : fields_) f.value.clear();
}

}  // namespace dane
