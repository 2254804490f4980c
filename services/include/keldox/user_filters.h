// Saved user filters: a filter window's record group kept for the user as an XML text, and the stored
// filter definitions found by name.
//
// The XML form of a group is a document whose root element is GROUP, with one element per field that is
// not an array, named as the field without its prefix in upper case, its text the field's value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dane/record_group.h"

namespace keldox {

// The group as XML, fields in declaration order or, with `sort_by_name` 1, by name. Texts hold at most
// 65534 characters; the empty text after the warning "Błąd inicjacji obiektu XMLDOC!" when no document
// can be made.
std::string GRUPADOXML(const dane::RecordGroup& group, std::uint8_t sort_by_name = 0);

// Fills the group's fields from the elements of the same name; other fields keep their values. A text that
// is not XML warns "Błąd ładowania definicji XML!" and changes nothing. The text itself is not changed.
void XMLDOGRUPY(std::string& xml, dane::RecordGroup& group, std::uint8_t sort_by_name = 0);

// Stores the group (and the second text, trailing blanks cut) as the current firm's and user's filter
// `filter`; nothing for a filter of 0 or below.
void ZAPISZXMLFILTRUZYTKOWNIKA(std::int32_t filter, const dane::RecordGroup& group,
                               std::string_view second = {});

// Fills the group from the stored filter, and `second` (when given) from its second text; a filter the user
// never stored leaves both as they were.
void POBIERZXMLFILTRUZYTKOWNIKA(std::int32_t filter, dane::RecordGroup& group, std::string* second = nullptr);

// The identifier of the stored definition of the subsystem, type and context with that name; 0 when none.
double POBIERZIDFILTRAXML(std::string_view subsystem, std::string_view type, std::string_view context,
                          std::string_view name);

}  // namespace keldox
