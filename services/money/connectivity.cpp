// The session's connectivity flag: whether the rate service's host takes a TCP connection, quickly.
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "dane/globals.h"
#include "keldox/exchange_rates.h"

namespace keldox {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

struct Target {
  std::string host;
  std::string port;
};

// scheme://host[:port]/... ; "https" gives 443, anything else 80. IPv6 literals in brackets.
Target target_of(const std::string& url) {
  Target t;
  std::size_t start = url.find("://");
  const std::string scheme = start == std::string::npos ? "http" : url.substr(0, start);
  start = start == std::string::npos ? 0 : start + 3;
  const std::size_t end = url.find_first_of("/?#", start);
  std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (const std::size_t at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
  std::size_t colon = authority.rfind(':');
  if (!authority.empty() && authority.front() == '[') {
    const std::size_t close = authority.find(']');
    t.host = authority.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    colon = close != std::string::npos && close + 1 < authority.size() && authority[close + 1] == ':'
                ? close + 1
                : std::string::npos;
  } else {
    t.host = authority.substr(0, colon);
  }
  t.port = colon != std::string::npos ? authority.substr(colon + 1) : (scheme == "https" ? "443" : "80");
  return t;
}

bool connects(const addrinfo* address, std::chrono::steady_clock::time_point deadline) {
  for (const addrinfo* a = address; a != nullptr; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    bool ok = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    if (!ok && errno == EINPROGRESS) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd p{fd, POLLOUT, 0};
      if (left.count() > 0 && ::poll(&p, 1, static_cast<int>(left.count())) == 1) {
        int error = 0;
        socklen_t length = sizeof error;
        ok = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
      }
    }
    ::close(fd);
    if (ok) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
  return false;
}

bool reachable(const Target& target, std::chrono::milliseconds timeout) {
  if (target.host.empty()) return false;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // The name lookup cannot be bounded by itself: it runs on a thread of its own that may outlive a
  // check that gave up on it.
  struct Lookup {
    std::promise<addrinfo*> result;
  };
  auto lookup = std::make_shared<Lookup>();
  std::future<addrinfo*> found = lookup->result.get_future();
  std::thread([lookup, target] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    lookup->result.set_value(
        ::getaddrinfo(target.host.c_str(), target.port.c_str(), &hints, &list) == 0 ? list : nullptr);
  }).detach();
  if (found.wait_until(deadline) != std::future_status::ready) {
    // A lookup that answers after the check gave up is freed when it arrives.
    std::thread([f = std::move(found)]() mutable {
      if (addrinfo* list = f.get()) ::freeaddrinfo(list);
    }).detach();
    return false;
  }
  addrinfo* list = found.get();
  if (list == nullptr) return false;
  const bool ok = connects(list, deadline);
  ::freeaddrinfo(list);
  return ok;
}

}  // namespace

std::uint8_t SPRAWDZPOLACZENIEINTERNETOWE() {
  std::string url = environment("MIRLET_CONNECTIVITY_URL");
  if (url.empty()) url = environment("MIRLET_NBP_URL");
  if (url.empty()) url = "https://api.nbp.pl";
  long timeout = 1500;
  if (const std::string text = environment("MIRLET_CONNECTIVITY_TIMEOUT_MS"); !text.empty()) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (*end == '\0' && n > 0) timeout = n;
  }
  dane::GLO.POLACZENIE_INTERNETOWE = reachable(target_of(url), std::chrono::milliseconds(timeout)) ? 1 : 0;
  return dane::GLO.POLACZENIE_INTERNETOWE;
}

}  // namespace keldox
