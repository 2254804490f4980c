// The dlopen/dlsym/dlclose round of one call into the utility module, with the code-page crossing.
#include "sql/util_library.h"

#include <dlfcn.h>

#include <vector>

#include "dane/globals.h"
#include "keldox/code_page.h"
#include "runtime/text.h"

namespace keldox::util_library {
namespace {

using NoArguments = const char* (*)();
using OneArgument = const char* (*)(const char*);
using TwoArguments = const char* (*)(const char*, const char*);
using ThreeArguments = const char* (*)(const char*, const char*, const char*);

const char* invoke(void* function, const std::vector<std::string>& arguments) {
  switch (arguments.size()) {
    case 0:
      return reinterpret_cast<NoArguments>(function)();
    case 1:
      return reinterpret_cast<OneArgument>(function)(arguments[0].c_str());
    case 2:
      return reinterpret_cast<TwoArguments>(function)(arguments[0].c_str(), arguments[1].c_str());
    default:
      return reinterpret_cast<ThreeArguments>(function)(arguments[0].c_str(), arguments[1].c_str(),
                                                        arguments[2].c_str());
  }
}

// The answer in UTF-8: runs of ASCII are copied whole, only the other bytes are looked up.
std::string from_windows1250(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t ascii_end = i;
    while (ascii_end < bytes.size() && static_cast<unsigned char>(bytes[ascii_end]) < 0x80) ++ascii_end;
    out.append(bytes.substr(i, ascii_end - i));
    if (ascii_end == bytes.size()) break;
    runtime::append_utf8(
        out, code_page_character(static_cast<unsigned char>(bytes[ascii_end]), CodePage::windows_1250));
    i = ascii_end + 1;
  }
  return out;
}

}  // namespace

std::string module_path() {
  return std::string(runtime::trim_right(dane::GLO.LOCALPATH.view())) + "/" + std::string(kFileName);
}

Module::Module() : handle_(dlopen(module_path().c_str(), RTLD_NOW | RTLD_LOCAL)) {}

Module::~Module() {
  if (handle_ != nullptr) dlclose(handle_);
}

Answer Module::call(const char* entry_point, std::initializer_list<std::string_view> arguments) const {
  if (!loaded()) return {Outcome::library_not_loaded, {}};
  void* function = dlsym(handle_, entry_point);
  if (function == nullptr) return {Outcome::entry_point_missing, {}};
  std::vector<std::string> encoded;
  encoded.reserve(arguments.size());
  for (const std::string_view argument : arguments) {
    if (encoded.size() == 3) break;
    encoded.push_back(encode_code_page(argument, CodePage::windows_1250));
  }
  const char* answer = invoke(function, encoded);
  return {Outcome::answered, answer == nullptr ? std::string{} : from_windows1250(answer)};
}

Outcome Module::run(const char* entry_point) const {
  if (!loaded()) return Outcome::library_not_loaded;
  void* function = dlsym(handle_, entry_point);
  if (function == nullptr) return Outcome::entry_point_missing;
  reinterpret_cast<void (*)()>(function)();
  return Outcome::answered;
}

Answer call(const char* entry_point, std::initializer_list<std::string_view> arguments) {
  const Module module;
  return module.call(entry_point, arguments);
}

}  // namespace keldox::util_library
