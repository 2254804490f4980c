// Bounded HTTP requests through libcurl: connect and total timeouts, a cap on the body, no signals.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// A POST of `body` with the given header lines ("Content-Type: ..."); redirects are not followed, since a
// POST cannot be repeated safely elsewhere. Never throws.
HttpAnswer http_post(const std::string& url, const std::string& body, const std::vector<std::string>& headers,
                     const HttpLimits& limits);

}  // namespace zorva_util
