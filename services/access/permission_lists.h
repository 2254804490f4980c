// Replacing a session list that checks may be reading on other threads.
#pragma once

#include <mutex>

#include "dane/session_list.h"

namespace keldox::access {

// Puts a list loaded aside in place of the session's one in one step, so that a check on another thread
// sees either the old list or the new one, never a half-loaded one.
template <class Record>
void publish(dane::SessionList<Record>& session_list, const dane::SessionList<Record>& loaded) {
  std::unique_lock lock(session_list.mutex());
  session_list = loaded;
}

}  // namespace keldox::access
