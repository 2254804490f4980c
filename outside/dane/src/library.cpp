// Once-per-process library entries and the record of the entries that ran.
#include "dane/library.h"

#include "dane/error_object.h"
#include "dane/globals.h"
#include "dane/settings_file.h"

namespace dane {
namespace {

struct CallLog {
  std::mutex mutex;
  std::vector<std::string> calls;
};

CallLog& call_log() {
  static CallLog log;
  return log;
}

LibraryEntry& dane_entry() {
  static LibraryEntry entry("DANE", {}, {});
  return entry;
}

}  // namespace

LibraryEntry::LibraryEntry(std::string name, std::vector<InitStep> init_chain,
                           std::vector<KillStep> kill_chain)
    : name_(std::move(name)), init_chain_(std::move(init_chain)), kill_chain_(std::move(kill_chain)) {}

void LibraryEntry::init(ErrorObject* error, SettingsFile* settings) {
  {
    std::lock_guard lock(mutex_);
    if (initialised_) return;
    initialised_ = true;
    error_ = error;
    settings_ = settings;
  }
  note_library_call(name_ + ":INIT");
  for (const InitStep step : init_chain_) step(error, settings);
}

void LibraryEntry::kill() {
  {
    std::lock_guard lock(mutex_);
    if (killed_) return;
    killed_ = true;
  }
  note_library_call(name_ + ":KILL");
  for (const KillStep step : kill_chain_) step();
  // The main program may destroy the objects once the libraries are released; holding on to them would
  // hand every later window and message a dangling error context.
  std::lock_guard lock(mutex_);
  error_ = nullptr;
  settings_ = nullptr;
}

ErrorObject* LibraryEntry::error_object() const {
  std::lock_guard lock(mutex_);
  return error_;
}

SettingsFile* LibraryEntry::settings_file() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

bool LibraryEntry::initialised() const {
  std::lock_guard lock(mutex_);
  return initialised_;
}

void note_library_call(std::string_view call) {
  auto& log = call_log();
  std::lock_guard lock(log.mutex);
  log.calls.emplace_back(call);
}

std::vector<std::string> library_calls() {
  auto& log = call_log();
  std::lock_guard lock(log.mutex);
  return log.calls;
}

ErrorObject& error_object() {
  static ErrorObject own;
  ErrorObject* given = dane_entry().error_object();
  return given ? *given : own;
}

SettingsFile& settings_file() {
  static SettingsFile own;
  if (SettingsFile* given = dane_entry().settings_file()) return *given;
  // The user's file is known only after log-in; follow it when it changes.
  const std::string wanted(GLO.PATH_INI.clipped());
  if (own.path() != wanted) own.set_path(wanted);
  return own;
}

void INIT(ErrorObject* error, SettingsFile* settings) {
  dane_entry().init(error, settings);
}
void KILL() {
  dane_entry().kill();
}
const LibraryEntry& library() {
  return dane_entry();
}

}  // namespace dane
