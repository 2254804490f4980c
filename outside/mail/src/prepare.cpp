// Every check that can fail is made before the server or the client program is reached.
#include "prepare.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace mail {
namespace {

bool read_whole(const std::string& path, std::string& bytes, std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = "nie można odczytać załącznika " + path + ": to jest folder";
    return false;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "nie można odczytać załącznika " + path + ": " + std::strerror(errno ? errno : ENOENT);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "nie można odczytać załącznika " + path;
    return false;
  }
  return true;
}

}  // namespace

bool prepare(const Message& message, bool read_bytes, Prepared& out, std::string& error) {
  out = Prepared{};
  std::string detail;
  if (!parse_addresses(message.to, out.to, detail)) {
    error = "adresat: " + detail;
    return false;
  }
  if (out.to.empty()) {
    error = "nie podano adresata";
    return false;
  }
  if (!parse_addresses(message.cc, out.cc, detail)) {
    error = "kopia: " + detail;
    return false;
  }
  for (unsigned char c : message.subject) {
    if (c < 0x20 || c == 0x7f) {
      error = (c == '\r' || c == '\n') ? "temat zawiera znak końca linii" : "temat zawiera znak sterujący";
      return false;
    }
  }
  for (const std::string& path : message.attachments) {
    if (path.find_first_not_of(' ') == std::string::npos) continue;
    out.attachment_paths.push_back(path);
    mime::Attachment a;
    a.name = std::filesystem::path(path).filename().string();
    if (read_bytes) {
      if (!read_whole(path, a.bytes, error)) return false;
    } else if (::access(path.c_str(), R_OK) != 0) {
      error = "nie można odczytać załącznika " + path + ": " + std::strerror(errno);
      return false;
    }
    out.attachments.push_back(std::move(a));
  }
  return true;
}

}  // namespace mail
