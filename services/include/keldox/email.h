// E-mail from the modules: the window "SendEMail" that hands a message to the SMTP server or to the
// desktop's mail client, and the user's mail settings.
//
// The settings live in the user's settings file (GLO.PATH_INI) under the section "Poczta":
//   DomyslnyKlient    the default mail client, compared in lower case: "outlook express" sends at once
//                     through the SMTP server, "microsoft outlook" at once through the desktop's client,
//                     anything else (or nothing) shows both send buttons
//   Serwer, Port      the SMTP server (port 0 or none: 25, 587 with STARTTLS, 465 with SSL/TLS)
//   Szyfrowanie       "brak", "STARTTLS" or "SSL/TLS"
//   Uzytkownik        the login; none: the server is not asked to authenticate
//   Nadawca, NazwaNadawcy  the From address and its display name
//   LimitPolaczenia, LimitWysylki  seconds to wait for the connection and for the whole sending (5, 30)
//   PlikCA            PEM certificates to trust for TLS (none: the system's store)
//   PlikHasla         the password file, by default "poczta" + user id + ".pwd" beside the settings file
// The password itself is never in the settings file: it is kept in the password file, mode 0600, which
// the sending refuses to read when group or others may open it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// Opens "SendEMail" with working copies of the arguments (recipient, copy and subject up to 500
// characters, body up to 5000, attachment path up to 255). Answers 1 when the message was handed over,
// 0 when it was not (a failure is shown as "Wiadomość e-mail nie została wysyłania " + the reason).
std::uint8_t SENDEMAIL(std::string_view recipient, std::string_view subject, std::string_view attachment = {},
                       std::string_view body = {}, std::string_view copy = {});

// The form "UstawieniaPoczty" over the section "Poczta"; a password typed there replaces the password
// file (an empty one keeps it).
void USTAWIENIAPOCZTY();

// The password file of the current user: PlikHasla, or the default beside the settings file.
std::string mail_password_file();

}  // namespace keldox
