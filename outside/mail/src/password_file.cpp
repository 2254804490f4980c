// The SMTP password beside the user's settings, in a file nobody else may open.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "mail/mail.h"

namespace mail {
namespace {

std::string mode_text(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

}  // namespace

bool read_password_file(const std::string& path, std::string& password, std::string& error) {
  password.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    error = errno == ENOENT ? "brak pliku hasła " + path
                            : "nie można otworzyć pliku hasła " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (!ok) {
    error = "nie można odczytać pliku hasła " + path + ": " + std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    error = "plik hasła " + path + " nie jest zwykłym plikiem";
    ok = false;
  } else if (st.st_uid != ::geteuid()) {
    error = "plik hasła " + path + " należy do innego użytkownika";
    ok = false;
  } else if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    error = "plik hasła " + path + " jest dostępny dla grupy lub innych użytkowników (uprawnienia " +
            mode_text(st.st_mode) + "); wymagane 0600";
    ok = false;
  }
  if (ok) {
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 && password.size() < 65536) password.append(buffer, n);
    if (n < 0) {
      error = "nie można odczytać pliku hasła " + path + ": " + std::strerror(errno);
      ok = false;
    }
  }
  ::close(fd);
  if (!ok) {
    password.clear();
    return false;
  }
  if (password.ends_with('\n')) password.pop_back();
  if (password.ends_with('\r')) password.pop_back();
  if (password.empty()) {
    error = "plik hasła " + path + " jest pusty";
    return false;
  }
  return true;
}

bool write_password_file(const std::string& path, std::string_view password, std::string& error) {
  if (password.find_first_of("\r\n") != std::string_view::npos ||
      password.find('\0') != std::string_view::npos) {
    error = "hasło nie może zawierać znaku końca linii";
    return false;
  }
  namespace fs = std::filesystem;
  const fs::path target(path);
  std::error_code ec;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::create_directories(folder, ec);
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  // mkstemp creates the file with mode 0600 from its first moment.
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = "nie można zapisać pliku hasła " + path + ": " + std::strerror(errno);
    return false;
  }
  std::string content(password);
  content += '\n';
  bool ok = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
  std::size_t written = 0;
  while (ok && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      written += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  const int saved = errno;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    error = "nie można zapisać pliku hasła " + path + ": " + std::strerror(errno ? errno : saved);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace mail
