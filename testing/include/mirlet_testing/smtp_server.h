// A small SMTP server on 127.0.0.1 for tests: speaks EHLO/HELO, AUTH PLAIN and LOGIN, MAIL, RCPT, DATA,
// RSET, NOOP and QUIT, keeps every conversation, and misbehaves on purpose (refuses a recipient or the
// data, closes in the middle, never answers) so that a client's failure paths can be driven without ever
// reaching the network.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "mirlet_testing/loopback_listener.h"

namespace mirlet_testing {

struct SmtpBehaviour {
  std::string auth_mechanisms;  // offered in EHLO ("PLAIN LOGIN"); empty: no AUTH
  std::string user;             // the credentials AUTH accepts
  std::string password;
  std::string refuse_recipient;    // a RCPT whose address contains this is answered 550
  bool refuse_data = false;        // DATA answered 554
  bool refuse_message = false;     // the message's final "." answered 554
  bool close_after_mail = false;   // the connection closed after MAIL FROM's answer
  bool close_during_data = false;  // closed after the first data line, without an answer
  bool silent = false;             // never a greeting nor an answer
  bool starttls = false;           // STARTTLS offered (answered 454 without a certificate)
  bool implicit_tls = false;       // TLS from the first byte (smtps), with the certificate below
  std::string certificate_file;    // PEM certificate and key for STARTTLS and implicit TLS
  std::string key_file;
};

class LocalSmtpServer {
 public:
  using Behaviour = SmtpBehaviour;

  struct Session {
    std::vector<std::string> commands;  // every line the client sent outside DATA (AUTH lines as sent)
    std::string mail_from;
    std::vector<std::string> recipients;  // accepted ones
    std::string auth_user;
    std::string auth_password;
    std::string data;        // the message, dot-stuffing undone, lines ended by CR LF
    bool accepted = false;   // the final "." was answered 250
    bool encrypted = false;  // TLS was up when MAIL FROM came
  };

  explicit LocalSmtpServer(Behaviour behaviour = {}) : behaviour_(std::move(behaviour)) {
    const LoopbackListener listener = listen_on_loopback(8);
    listener_ = listener.socket;
    port_ = listener.port;
    if (!behaviour_.certificate_file.empty()) {
      tls_ = SSL_CTX_new(TLS_server_method());
      if (tls_ == nullptr ||
          SSL_CTX_use_certificate_file(tls_, behaviour_.certificate_file.c_str(), SSL_FILETYPE_PEM) != 1 ||
          SSL_CTX_use_PrivateKey_file(tls_, behaviour_.key_file.c_str(), SSL_FILETYPE_PEM) != 1)
        throw std::runtime_error("cannot load the test certificate");
    }
    acceptor_ = std::thread([this] { accept_loop(); });
  }
  ~LocalSmtpServer() {
    stopping_ = true;
    acceptor_.join();
    for (std::thread& t : connections_) t.join();
    ::close(listener_);
    if (tls_ != nullptr) SSL_CTX_free(tls_);
  }
  LocalSmtpServer(const LocalSmtpServer&) = delete;
  LocalSmtpServer& operator=(const LocalSmtpServer&) = delete;

  int port() const { return port_; }

  // A self-signed certificate for 127.0.0.1 and its key, written by the openssl program; false when it
  // could not be made.
  static bool write_certificate(const std::string& certificate_file, const std::string& key_file) {
    const std::string command =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext "
        "subjectAltName=IP:127.0.0.1 -keyout '" +
        key_file + "' -out '" + certificate_file + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
  std::vector<Session> sessions() const {
    std::lock_guard lock(mutex_);
    return sessions_;
  }
  // The last message taken with 250, if any.
  std::optional<std::string> last_message() const {
    std::lock_guard lock(mutex_);
    for (auto s = sessions_.rbegin(); s != sessions_.rend(); ++s) {
      if (s->accepted) return s->data;
    }
    return std::nullopt;
  }

  static std::string decode_base64(std::string_view text) {
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned value = 0;
    int bits = 0;
    for (char c : text) {
      const auto at = kAlphabet.find(c);
      if (at == std::string::npos) continue;
      value = value << 6 | static_cast<unsigned>(at);
      bits += 6;
      if (bits >= 8) {
        bits -= 8;
        out += static_cast<char>((value >> bits) & 0xff);
      }
    }
    return out;
  }

 private:
  // A client's socket, and its TLS session once one is up.
  struct Connection {
    int fd = -1;
    SSL* ssl = nullptr;
    ~Connection() {
      if (ssl != nullptr) {
        SSL_shutdown(ssl);
        SSL_free(ssl);
      }
    }
  };

  bool start_tls(Connection& c) {
    if (tls_ == nullptr) return false;
    c.ssl = SSL_new(tls_);
    SSL_set_fd(c.ssl, c.fd);
    if (SSL_accept(c.ssl) != 1) {
      SSL_free(c.ssl);
      c.ssl = nullptr;
      return false;
    }
    return true;
  }

  void accept_loop() {
    while (!stopping_) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) continue;
      std::size_t index = 0;
      {
        std::lock_guard lock(mutex_);
        sessions_.emplace_back();
        index = sessions_.size() - 1;
      }
      connections_.emplace_back([this, client, index] {
        {
          Connection c;
          c.fd = client;
          if (!behaviour_.implicit_tls || start_tls(c)) converse(c, index);
        }
        ::close(client);
      });
    }
  }

  // One line without its CR LF; nothing when the client went or the server stops.
  std::optional<std::string> read_line(Connection& c, std::string& pending) {
    while (true) {
      const auto end = pending.find("\r\n");
      if (end != std::string::npos) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        return line;
      }
      if (stopping_) return std::nullopt;
      if (c.ssl == nullptr || SSL_pending(c.ssl) == 0) {
        pollfd p{c.fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
      }
      char buffer[4096];
      const int n = c.ssl != nullptr ? SSL_read(c.ssl, buffer, sizeof buffer)
                                     : static_cast<int>(::recv(c.fd, buffer, sizeof buffer, 0));
      if (n <= 0) return std::nullopt;
      pending.append(buffer, static_cast<std::size_t>(n));
    }
  }

  static void say(Connection& c, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
      const int n =
          c.ssl != nullptr
              ? SSL_write(c.ssl, text.data() + sent, static_cast<int>(text.size() - sent))
              : static_cast<int>(::send(c.fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL));
      if (n <= 0) return;
      sent += static_cast<std::size_t>(n);
    }
  }

  template <typename F>
  void with_session(std::size_t index, F f) {
    std::lock_guard lock(mutex_);
    f(sessions_[index]);
  }

  static std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }

  void converse(Connection& fd, std::size_t index) {
    std::string pending;
    const Behaviour& b = behaviour_;
    if (b.silent) {
      while (read_line(fd, pending)) {
      }
      return;
    }
    say(fd, "220 127.0.0.1 ESMTP test server\r\n");
    while (auto line = read_line(fd, pending)) {
      with_session(index, [&](Session& s) { s.commands.push_back(*line); });
      const std::string verb = upper(line->substr(0, line->find(' ')));
      if (verb == "EHLO") {
        std::string answer = "250-127.0.0.1\r\n";
        if (!b.auth_mechanisms.empty()) answer += "250-AUTH " + b.auth_mechanisms + "\r\n";
        if (b.starttls && fd.ssl == nullptr) answer += "250-STARTTLS\r\n";
        say(fd, answer + "250 8BITMIME\r\n");
      } else if (verb == "HELO") {
        say(fd, "250 127.0.0.1\r\n");
      } else if (verb == "STARTTLS") {
        if (tls_ == nullptr || fd.ssl != nullptr) {
          say(fd, "454 TLS not available\r\n");
          continue;
        }
        say(fd, "220 2.0.0 Ready to start TLS\r\n");
        pending.clear();
        if (!start_tls(fd)) return;
      } else if (verb == "AUTH") {
        if (!authenticate(fd, pending, index, *line)) {
          say(fd, "535 5.7.8 Authentication credentials invalid\r\n");
        } else {
          say(fd, "235 2.7.0 Authentication successful\r\n");
        }
      } else if (verb == "MAIL") {
        with_session(index, [&](Session& s) {
          s.mail_from = line->substr(line->find(':') + 1);
          s.encrypted = fd.ssl != nullptr;
        });
        say(fd, "250 2.1.0 Ok\r\n");
        if (b.close_after_mail) return;
      } else if (verb == "RCPT") {
        const std::string address = line->substr(line->find(':') + 1);
        if (!b.refuse_recipient.empty() && address.find(b.refuse_recipient) != std::string::npos) {
          say(fd, "550 5.1.1 Recipient address rejected: User unknown\r\n");
        } else {
          with_session(index, [&](Session& s) { s.recipients.push_back(address); });
          say(fd, "250 2.1.5 Ok\r\n");
        }
      } else if (verb == "DATA") {
        if (b.refuse_data) {
          say(fd, "554 5.5.1 Error: no valid recipients\r\n");
          continue;
        }
        say(fd, "354 End data with <CR><LF>.<CR><LF>\r\n");
        std::string data;
        bool ended = false;
        while (auto d = read_line(fd, pending)) {
          if (b.close_during_data) return;
          if (*d == ".") {
            ended = true;
            break;
          }
          data += (d->starts_with(".") ? d->substr(1) : *d) + "\r\n";
        }
        if (!ended) return;
        with_session(index, [&](Session& s) { s.data = data; });
        if (b.refuse_message) {
          say(fd, "554 5.7.1 Message rejected as spam\r\n");
        } else {
          with_session(index, [&](Session& s) { s.accepted = true; });
          say(fd, "250 2.0.0 Ok: queued\r\n");
        }
      } else if (verb == "RSET" || verb == "NOOP") {
        say(fd, "250 2.0.0 Ok\r\n");
      } else if (verb == "QUIT") {
        say(fd, "221 2.0.0 Bye\r\n");
        return;
      } else {
        say(fd, "502 5.5.2 Error: command not recognized\r\n");
      }
    }
  }

  bool authenticate(Connection& fd, std::string& pending, std::size_t index, const std::string& line) {
    const std::string rest = line.size() > 5 ? line.substr(5) : std::string();
    const std::string mechanism = upper(rest.substr(0, rest.find(' ')));
    std::string user, password;
    if (mechanism == "PLAIN") {
      std::string initial =
          rest.find(' ') == std::string::npos ? std::string() : rest.substr(rest.find(' ') + 1);
      if (initial.empty()) {
        say(fd, "334 \r\n");
        auto answer = read_line(fd, pending);
        if (!answer) return false;
        initial = *answer;
      }
      const std::string decoded = decode_base64(initial);
      const auto first = decoded.find('\0');
      const auto second = decoded.find('\0', first + 1);
      if (first == std::string::npos || second == std::string::npos) return false;
      user = decoded.substr(first + 1, second - first - 1);
      password = decoded.substr(second + 1);
    } else if (mechanism == "LOGIN") {
      std::string initial =
          rest.find(' ') == std::string::npos ? std::string() : rest.substr(rest.find(' ') + 1);
      if (initial.empty()) {
        say(fd, "334 VXNlcm5hbWU6\r\n");
        auto answer = read_line(fd, pending);
        if (!answer) return false;
        initial = *answer;
      }
      user = decode_base64(initial);
      say(fd, "334 UGFzc3dvcmQ6\r\n");
      auto answer = read_line(fd, pending);
      if (!answer) return false;
      password = decode_base64(*answer);
    } else {
      return false;
    }
    with_session(index, [&](Session& s) {
      s.auth_user = user;
      s.auth_password = password;
    });
    return user == behaviour_.user && password == behaviour_.password;
  }

  Behaviour behaviour_;
  SSL_CTX* tls_ = nullptr;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::vector<std::thread> connections_;
  mutable std::mutex mutex_;
  std::vector<Session> sessions_;
};

}  // namespace mirlet_testing
