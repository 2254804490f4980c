// A small HTTP/1.1 server on 127.0.0.1 for tests: answers fixed replies by path, and misbehaves on
// purpose (a cut body, a body that never ends) so that a client's failure paths can be driven without
// ever reaching the network.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "mirlet_testing/loopback_listener.h"

namespace mirlet_testing {

// The whole content of a file; empty when it cannot be read.
inline std::string read_file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class LocalHttpServer {
 public:
  enum class Mode {
    whole,      // the body as given
    truncated,  // announces twice the body's length, sends half of it and closes
    endless,    // sends headers and then a byte now and then until the client gives up
    silent,     // reads the request and never answers
  };
  struct Reply {
    int status = 200;
    std::string body;
    std::string content_type = "application/xml; charset=utf-8";
    Mode mode = Mode::whole;
  };

  LocalHttpServer() {
    const LoopbackListener listener = listen_on_loopback(16);
    listener_ = listener.socket;
    port_ = listener.port;
    acceptor_ = std::thread([this] { accept_loop(); });
  }

  ~LocalHttpServer() {
    stopping_ = true;
    acceptor_.join();
    for (std::thread& t : connections_) t.join();
    ::close(listener_);
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // "http://127.0.0.1:PORT", without a closing slash.
  std::string base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }

  // `target` is the request's path with its query ("/api/x/?format=xml"); unknown targets answer 404.
  void serve(const std::string& target, Reply reply) {
    std::lock_guard lock(mutex_);
    replies_[target] = std::move(reply);
  }
  // A request as the server read it, for handlers and for tests that look at what was sent.
  struct Request {
    std::string target;
    std::string head;  // the request line and header lines
    std::string body;
  };
  // Answers every request the fixed replies do not (POST services that tell calls apart by their body).
  void handle_with(std::function<Reply(const Request&)> handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
  }
  std::vector<Request> received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    replies_.clear();
  }
  // The targets asked for, in order.
  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void accept_loop() {
    while (!stopping_) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) continue;
      connections_.emplace_back([this, client] {
        handle(client);
        ::close(client);
      });
    }
  }

  static std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }

  bool send_all(int client, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }

  void handle(int client) {
    std::string request;
    char chunk[2048];
    while (request.find("\r\n\r\n") == std::string::npos && !stopping_) {
      pollfd p{client, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
      if (n <= 0) return;
      request.append(chunk, static_cast<std::size_t>(n));
    }
    const std::size_t head_end = request.find("\r\n\r\n");
    if (head_end == std::string::npos) return;
    const std::size_t first = request.find(' ');
    const std::size_t second = request.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return;
    Request read{request.substr(first + 1, second - first - 1), request.substr(0, head_end),
                 request.substr(head_end + 4)};
    const std::size_t length_at = lower(read.head).find("\r\ncontent-length:");
    const std::size_t length =
        length_at == std::string::npos ? 0 : std::strtoul(read.head.c_str() + length_at + 17, nullptr, 10);
    while (read.body.size() < length && !stopping_) {
      pollfd p{client, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
      if (n <= 0) return;
      read.body.append(chunk, static_cast<std::size_t>(n));
    }
    const std::string target = read.target;
    Reply reply{404, "404 NotFound - Not Found - Brak danych", "text/plain; charset=utf-8", Mode::whole};
    std::function<Reply(const Request&)> handler;
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(target);
      received_.push_back(read);
      handler = handler_;
      if (const auto found = replies_.find(target); found != replies_.end()) {
        reply = found->second;
        handler = nullptr;
      }
    }
    if (handler) reply = handler(read);
    if (reply.mode == Mode::silent) {
      while (!stopping_) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0 && ::recv(client, chunk, sizeof chunk, 0) <= 0) return;  // the client left
      }
      return;
    }
    const std::size_t announced = reply.mode == Mode::truncated ? reply.body.size() * 2 : reply.body.size();
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                       " Status\r\nContent-Type: " + reply.content_type + "\r\nConnection: close\r\n";
    if (reply.mode != Mode::endless) head += "Content-Length: " + std::to_string(announced) + "\r\n";
    head += "\r\n";
    if (!send_all(client, head)) return;
    switch (reply.mode) {
      case Mode::whole:
        send_all(client, reply.body);
        break;
      case Mode::truncated:
        send_all(client, reply.body.substr(0, reply.body.size() / 2));
        break;
      case Mode::silent:
        break;
      case Mode::endless:
        while (!stopping_ && send_all(client, " "))
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
        break;
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::vector<std::thread> connections_;  // touched by the acceptor thread only until it is joined
  mutable std::mutex mutex_;
  std::map<std::string, Reply> replies_;
  std::vector<std::string> requests_;
  std::vector<Request> received_;
  std::function<Reply(const Request&)> handler_;
};

}  // namespace mirlet_testing
