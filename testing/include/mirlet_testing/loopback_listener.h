// The listening socket of a test server: 127.0.0.1 on a port the system picks, so that servers of
// parallel tests never collide and nothing is reachable from outside the machine.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace mirlet_testing {

struct LoopbackListener {
  int socket = -1;
  int port = 0;
};

// Throws when no socket can listen: a test server that cannot start fails its test at once.
inline LoopbackListener listen_on_loopback(int backlog) {
  LoopbackListener l;
  l.socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (l.socket < 0) throw std::runtime_error("no socket");
  const int yes = 1;
  ::setsockopt(l.socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(l.socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(l.socket, backlog) != 0) {
    ::close(l.socket);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  socklen_t length = sizeof address;
  ::getsockname(l.socket, reinterpret_cast<sockaddr*>(&address), &length);
  l.port = ntohs(address.sin_port);
  return l;
}

}  // namespace mirlet_testing
