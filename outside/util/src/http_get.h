// One bounded HTTP GET through libcurl: connect and total timeouts, a cap on the body, no signals.
#pragma once

#include <cstddef>
#include <string>

namespace zorva_util {

struct HttpLimits {
  long connect_timeout_ms = 5000;
  long total_timeout_ms = 15000;
  std::size_t max_body_bytes = 32 * 1024 * 1024;
};

struct HttpAnswer {
  bool transferred = false;  // the whole body arrived (whatever its status)
  long status = 0;
  std::string body;
  std::string error;  // libcurl's reason when not transferred
};

// Follows at most three redirects, http and https only. Never throws.
HttpAnswer http_get(const std::string& url, const HttpLimits& limits);

}  // namespace zorva_util
