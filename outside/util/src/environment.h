// Settings the module takes from the environment at each call, so that tests and administrators can point
// it elsewhere without a restart.
#pragma once

#include <string>
#include <string_view>

namespace zorva_util {

// The variable's text, or `fallback` when it is unset or empty.
std::string environment_text(const char* name, std::string_view fallback = {});
// Likewise, without the slashes that close it: a base address to which paths are joined.
std::string environment_base_url(const char* name, std::string_view fallback);
// A positive whole number of milliseconds, or `fallback` for anything else.
long environment_milliseconds(const char* name, long fallback);

}  // namespace zorva_util
