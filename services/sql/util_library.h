// Calls into the utility module ZORVAutilKS: loaded by path for each call and unloaded after it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace keldox::util_library {

// The module's file in the program's local folder (what "ZORVAutilKS.dll" is on this platform).
inline constexpr std::string_view kFileName = "libZORVAutilKS.so";

// GLO.LOCALPATH without trailing blanks + "/" + kFileName.
std::string module_path();

enum class Outcome {
  answered,             // the entry point ran; `text` holds its answer
  library_not_loaded,   // the file is missing or cannot be loaded
  entry_point_missing,  // the module has no entry point of that name
};

struct Answer {
  Outcome outcome = Outcome::library_not_loaded;
  std::string text;  // UTF-8; empty unless answered
};

// The module loaded for several calls in a row (entry points that work together), unloaded when it goes.
class Module {
 public:
  Module();  // loads module_path()
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  // As `call` below, on this module.
  Answer call(const char* entry_point, std::initializer_list<std::string_view> arguments = {}) const;
  // An entry point that takes nothing and answers nothing (a window of the module's own).
  Outcome run(const char* entry_point) const;

 private:
  void* handle_;
};

// Loads the module, looks `entry_point` up, calls it with the arguments (at most three, UTF-8, passed
// as zero-terminated Windows-1250 texts), copies its answer back to UTF-8 and unloads the module. Shows
// no message: each caller has its own warnings for the two failures.
Answer call(const char* entry_point, std::initializer_list<std::string_view> arguments = {});

}  // namespace keldox::util_library
