// What the loaders of the session start share: reading rows through the statement channel and putting
// a list loaded aside in place of the session's one.
#pragma once

#include <mutex>
#include <string_view>

#include "dane/session_list.h"

namespace start::loading {

// Sends the statement through EXECSQL; true when the database accepted it (its rows are then read with
// keldox::next_row and keldox::column, and the channel closed with keldox::CLOSESQL).
bool run(std::string_view statement);

// Replaces the session's list in one step, so that a reader on another thread sees the old list or the
// new one, never a half-loaded one.
template <class Record>
void publish(dane::SessionList<Record>& session_list, const dane::SessionList<Record>& loaded) {
  std::unique_lock lock(session_list.mutex());
  session_list = loaded;
}

}  // namespace start::loading
