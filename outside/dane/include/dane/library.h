// Library entries: the once-per-process initialisation and release that every library of the application
// offers to the main program, with the error object and settings-file object they share.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace dane {

class ErrorObject;
class SettingsFile;

using InitStep = void (*)(ErrorObject* error, SettingsFile* settings);
using KillStep = void (*)();

// One library's entry pair. The first init keeps the objects it is given and runs the chained
// initialisations of the libraries this one stands on, with the same objects; every later init changes
// nothing, so a second call with null objects keeps those of the first. kill runs its chain once and then
// releases the objects (the entry answers null for them; it is not initialised again).
class LibraryEntry {
 public:
  LibraryEntry(std::string name, std::vector<InitStep> init_chain, std::vector<KillStep> kill_chain);

  void init(ErrorObject* error, SettingsFile* settings);
  void kill();

  ErrorObject* error_object() const;
  SettingsFile* settings_file() const;
  bool initialised() const;

 private:
  std::string name_;
  std::vector<InitStep> init_chain_;
  std::vector<KillStep> kill_chain_;
  mutable std::mutex mutex_;
  bool initialised_ = false;
  bool killed_ = false;
  ErrorObject* error_ = nullptr;
  SettingsFile* settings_ = nullptr;
};

// The entries that actually ran in this process, in order ("DANE:INIT", "KELDOX:INIT", ...): what the
// chains did, for the log and for tests.
void note_library_call(std::string_view call);
std::vector<std::string> library_calls();

// The error object the main program handed to DANE:INIT, or the library's own before it has and after
// DANE:KILL.
ErrorObject& error_object();
// The settings-file object handed to DANE:INIT (until DANE:KILL), or the library's own on the user's file
// GLO.PATH_INI.
SettingsFile& settings_file();

// DANE:INIT and DANE:KILL.
void INIT(ErrorObject* error, SettingsFile* settings);
void KILL();
const LibraryEntry& library();

}  // namespace dane
