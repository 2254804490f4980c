// The error object's per-thread procedure names and error reports.
#include "dane/error_object.h"

#include <algorithm>
#include <utility>

#include "runtime/text.h"

namespace dane {

void ErrorObject::set_procedure(std::string_view name) {
  try {
    const std::lock_guard guard(mutex_);
    procedures_[std::this_thread::get_id()].emplace_back(runtime::trim_right(name));
  } catch (...) {
    // Out of memory: the context is a diagnostic aid, the window goes on without it.
  }
}

void ErrorObject::clear_procedure(std::string_view name) {
  try {
    const std::lock_guard guard(mutex_);
    const auto found = procedures_.find(std::this_thread::get_id());
    if (found == procedures_.end()) return;
    std::vector<std::string>& names = found->second;
    if (name.empty()) {
      names.pop_back();
    } else {
      const auto last = std::find_if(names.rbegin(), names.rend(),
                                     [&](const std::string& n) { return runtime::same_name(n, name); });
      if (last != names.rend()) names.erase(std::next(last).base());
    }
    if (names.empty()) procedures_.erase(found);
  } catch (...) {
    // The lock could not be taken: the stale name only labels later reports.
  }
}

std::string ErrorObject::procedure() const {
  try {
    const std::lock_guard guard(mutex_);
    const auto found = procedures_.find(std::this_thread::get_id());
    return found == procedures_.end() ? std::string() : found->second.back();
  } catch (...) {
    return {};
  }
}

void ErrorObject::report(int code, std::string_view text, std::string_view table) {
  try {
    ErrorReport entry{code, std::string(text), std::string(table), procedure()};
    Handler handler;
    {
      const std::lock_guard guard(mutex_);
      last_reports_[std::this_thread::get_id()] = entry;
      handler = handler_;
    }
    if (handler) handler(entry);
  } catch (...) {
    // Reporting must never turn a failed record operation into a crash.
  }
}

std::optional<ErrorReport> ErrorObject::last_report() const {
  try {
    const std::lock_guard guard(mutex_);
    const auto found = last_reports_.find(std::this_thread::get_id());
    if (found == last_reports_.end()) return std::nullopt;
    return found->second;
  } catch (...) {
    return std::nullopt;
  }
}

void ErrorObject::clear_last_report() {
  const std::lock_guard guard(mutex_);
  last_reports_.erase(std::this_thread::get_id());
}

void ErrorObject::set_handler(Handler handler) {
  const std::lock_guard guard(mutex_);
  handler_ = std::move(handler);
}

ProcedureScope::ProcedureScope(ErrorObject& errors, std::string_view name)
    : errors_(errors), name_(runtime::trim_right(name)) {
  errors_.set_procedure(name_);
}

ProcedureScope::~ProcedureScope() {
  errors_.clear_procedure(name_);
}

}  // namespace dane
