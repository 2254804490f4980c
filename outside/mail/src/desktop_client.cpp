// The desktop's mail client: xdg-email started with an argument vector, never through a shell, so that
// no text of the message can become a command.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "mail/mail.h"
#include "prepare.h"

extern char** environ;

namespace mail {

int open_in_mail_client(const Message& message, std::string& error) {
  try {
    Prepared prepared;
    if (!prepare(message, false, prepared, error)) return 3;
    std::vector<std::string> args{"xdg-email", "--utf8"};
    for (const Address& a : prepared.cc) {
      args.push_back("--cc");
      args.push_back(a.address);
    }
    if (!message.subject.empty()) {
      args.push_back("--subject");
      args.push_back(message.subject);
    }
    if (!message.body.empty()) {
      args.push_back("--body");
      args.push_back(message.body);
    }
    for (const std::string& path : prepared.attachment_paths) {
      args.push_back("--attach");
      args.push_back(path);
    }
    for (const Address& a : prepared.to) args.push_back(a.address);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, "xdg-email", nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
      error = "nie można uruchomić programu xdg-email: " + std::string(std::strerror(spawned));
      return 6;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR) {
        error = "nie można poczekać na program xdg-email: " + std::string(std::strerror(errno));
        return 6;
      }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return 0;
    error = WIFEXITED(status)
                ? "program pocztowy (xdg-email) zakończył się kodem " + std::to_string(WEXITSTATUS(status))
                : "program pocztowy (xdg-email) został przerwany";
    return 7;
  } catch (...) {
    error = "brak pamięci na wiadomość e-mail";
    return 5;
  }
}

int SENDMAIL(const SmtpSettings& settings, std::uint8_t flag, std::string_view recipient,
             std::string_view subject, std::string_view body, std::string_view copy,
             const std::vector<std::string>& attachments, std::string& error) {
  error.clear();
  try {
    Message message{std::string(recipient), std::string(copy), std::string(subject), std::string(body),
                    attachments};
    if (flag == kSendSmtp) return send_smtp(settings, message, error);
    if (flag == kSendDesktopClient) return open_in_mail_client(message, error);
    error = "nieznany sposób wysyłki " + std::to_string(flag);
    return 1;
  } catch (...) {
    error = "brak pamięci na wiadomość e-mail";
    return 5;
  }
}

}  // namespace mail
