// A record group: named fields of one prefix ("FIL:NAZWA") that a window or a filter keeps together and
// that are stored and read back as a whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dane {

struct GroupField {
  std::string name;    // as declared, with its prefix: "FIL:Nazwa"
  std::string value;   // the stored value (a number as "12.5", a date as its day number)
  bool array = false;  // an array field: never stored as a whole
};

class RecordGroup {
 public:
  explicit RecordGroup(std::string prefix) : prefix_(std::move(prefix)) {}

  // Declares a field; a name without a colon gets the group's prefix.
  void add(std::string_view name, std::string_view value = {}, bool array = false);
  const std::string& prefix() const { return prefix_; }
  const std::vector<GroupField>& fields() const { return fields_; }

  // A field by its name with or without the prefix, in any case; nullptr when the group has none.
  const GroupField* field(std::string_view name) const;
  std::string value(std::string_view name) const;
  // False when the group has no such field (or it is an array).
  bool set(std::string_view name, std::string_view value);
  void clear();  // every value emptied

 private:
  GroupField* find(std::string_view name);

  std::string prefix_;
  std::vector<GroupField> fields_;
};

// The field's name without its prefix (the part after the colon), in upper case: "FIL:Nazwa" → "NAZWA".
std::string bare_field_name(std::string_view name);

}  // namespace dane
