#include "environment.h"

#include <cstdlib>

namespace zorva_util {

std::string environment_text(const char* name, std::string_view fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(fallback);
}

std::string environment_base_url(const char* name, std::string_view fallback) {
  std::string text = environment_text(name, fallback);
  while (!text.empty() && text.back() == '/') text.pop_back();
  return text;
}

long environment_milliseconds(const char* name, long fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  char* end = nullptr;
  const long n = std::strtol(value, &end, 10);
  return *end == '\0' && n > 0 ? n : fallback;
}

}  // namespace zorva_util
