// Any session list seen as a target that a loader fills record by record from texts.
#pragma once

#include <cstddef>
#include <string_view>

#include "dane/record_fields.h"
#include "dane/session_list.h"

namespace dane {

// Lets one non-template loader (a delimited query result, a file) fill lists of any record type:
// clear the buffer, assign texts to fields 1..field_count(), add, and so on per record.
// Holds a reference: the list must outlive the target.
class ListTarget {
 public:
  template <RecordWithFields Record>
  ListTarget(SessionList<Record>& list)  // NOLINT: a list is passed wherever a target is expected
      : list_(&list),
        field_count_(dane::field_count<Record>()),
        clear_buffer_([](void* l) { static_cast<SessionList<Record>*>(l)->clear_buffer(); }),
        assign_([](void* l, std::size_t position, std::string_view text) {
          return assign_field(static_cast<SessionList<Record>*>(l)->buffer, position, text);
        }),
        add_([](void* l) { static_cast<SessionList<Record>*>(l)->add(); }) {}

  std::size_t field_count() const { return field_count_; }
  void clear_buffer() { clear_buffer_(list_); }
  // Assigns a text to the buffer's field at a 1-based position; false outside 1..field_count().
  bool assign(std::size_t position, std::string_view text) { return assign_(list_, position, text); }
  // Appends the buffer to the list.
  void add() { add_(list_); }

 private:
  void* list_;
  std::size_t field_count_;
  void (*clear_buffer_)(void*);
  bool (*assign_)(void*, std::size_t, std::string_view);
  void (*add_)(void*);
};

}  // namespace dane
