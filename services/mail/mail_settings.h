// The user's mail settings read from the section "Poczta" of the settings file (keldox/email.h).
#pragma once

#include <string>
#include <string_view>

#include "mail/mail.h"

namespace keldox::email_detail {

inline constexpr std::string_view kSection = "Poczta";
inline constexpr std::string_view kDefaultClient = "DomyslnyKlient";
inline constexpr std::string_view kServer = "Serwer";
inline constexpr std::string_view kPort = "Port";
inline constexpr std::string_view kSecurity = "Szyfrowanie";
inline constexpr std::string_view kUser = "Uzytkownik";
inline constexpr std::string_view kSender = "Nadawca";
inline constexpr std::string_view kSenderName = "NazwaNadawcy";
inline constexpr std::string_view kConnectTimeout = "LimitPolaczenia";
inline constexpr std::string_view kTotalTimeout = "LimitWysylki";
inline constexpr std::string_view kPasswordFile = "PlikHasla";
inline constexpr std::string_view kCaFile = "PlikCA";

// "brak", "STARTTLS", "SSL/TLS" (case does not count; "SSL" and "TLS" alone also mean SSL/TLS).
mail::Security security_from_text(std::string_view text);
std::string security_text(mail::Security security);

mail::SmtpSettings read_settings();

}  // namespace keldox::email_detail
