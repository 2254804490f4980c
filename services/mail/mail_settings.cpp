// The mail settings of the current user, read afresh for every message so that a change in the form
// takes effect at once.
#include "mail/mail_settings.h"

#include <filesystem>

#include "dane/globals.h"
#include "dane/library.h"
#include "dane/settings_file.h"
#include "keldox/email.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace email_detail {
namespace {

std::string setting(std::string_view key) {
  return std::string(runtime::trim(dane::settings_file().get_value(kSection, key)));
}

// Seconds as milliseconds; a missing, non-positive or absurd value takes the default.
long timeout_ms(std::string_view key, long default_seconds) {
  const double seconds = runtime::number_from_text(setting(key));
  if (!(seconds > 0) || seconds > 3600) return default_seconds * 1000;
  return static_cast<long>(seconds * 1000);
}

}  // namespace

mail::Security security_from_text(std::string_view text) {
  const std::string t = runtime::to_lower(runtime::trim(text));
  if (t == "starttls") return mail::Security::StartTls;
  if (t == "ssl/tls" || t == "ssl" || t == "tls") return mail::Security::Tls;
  return mail::Security::None;
}

std::string security_text(mail::Security security) {
  switch (security) {
    case mail::Security::StartTls:
      return "STARTTLS";
    case mail::Security::Tls:
      return "SSL/TLS";
    case mail::Security::None:
      break;
  }
  return "brak";
}

mail::SmtpSettings read_settings() {
  mail::SmtpSettings s;
  s.server = setting(kServer);
  const double port = runtime::number_from_text(setting(kPort));
  s.port = port >= 1 && port <= 65535 ? static_cast<int>(port) : 0;
  s.security = security_from_text(setting(kSecurity));
  s.user = setting(kUser);
  s.sender = setting(kSender);
  s.sender_name = setting(kSenderName);
  s.connect_timeout_ms = timeout_ms(kConnectTimeout, 5);
  s.total_timeout_ms = timeout_ms(kTotalTimeout, 30);
  s.ca_file = setting(kCaFile);
  s.password_file = mail_password_file();
  return s;
}

}  // namespace email_detail

std::string mail_password_file() {
  const std::string chosen = email_detail::setting(email_detail::kPasswordFile);
  if (!chosen.empty()) return chosen;
  const std::string ini = dane::settings_file().path();
  const std::string folder =
      ini.empty() ? dane::default_settings_folder() : std::filesystem::path(ini).parent_path().string();
  const std::string id = std::to_string(static_cast<long long>(dane::GLO.ID_UZYTKOWNIKA));
  return (std::filesystem::path(folder.empty() ? "." : folder) / ("poczta" + id + ".pwd")).string();
}

}  // namespace keldox
