// The e-mail component: a message handed to an SMTP server through libcurl, or to the desktop's mail
// client through xdg-email. It knows nothing of the libraries above it: the caller gives the server's
// settings, and every failure comes back as a non-zero answer with a text for the user (in Polish).
//
// Header injection: a recipient list, a copy list or a subject holding CR, LF or any other control
// character is refused before anything is built or sent; nothing is folded on the caller's behalf.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mail {

enum class Security {
  None,      // smtp://, nothing encrypted
  StartTls,  // smtp:// upgraded by STARTTLS; a server that does not offer it is a failure
  Tls,       // smtps://, encrypted from the first byte
};

struct SmtpSettings {
  std::string server;  // a host name or an address ("[::1]" for IPv6)
  int port = 0;        // 0: 25, 587 with STARTTLS, 465 with TLS
  Security security = Security::None;
  std::string user;           // empty: no authentication
  std::string password_file;  // read only when a user is set; must be readable by its owner alone
  std::string sender;         // the From address and the envelope sender
  std::string sender_name;    // the From display name, may be empty
  std::string ca_file;        // PEM certificates to trust for TLS; empty: the system's store
  long connect_timeout_ms = 5000;
  long total_timeout_ms = 30000;  // the whole conversation, attachments included
};

int default_port(Security security);

// The flag of SENDMAIL: which way the message leaves.
inline constexpr std::uint8_t kSendSmtp = 1;
inline constexpr std::uint8_t kSendDesktopClient = 2;

// Recipient and copy are lists of addresses separated by ";" or "," ("Jan Kowalski <jan@firma.pl>",
// "\"Kowalski, Jan\" <jan@firma.pl>" and a bare address are all understood). Empty attachment paths are
// skipped. Every attachment is read before the server is contacted; one that cannot be read is a failure
// and nothing is sent. Answers 0 when the server took the message for every recipient (or the client
// program ended with status 0), otherwise non-zero with `error` set.
int SENDMAIL(const SmtpSettings& settings, std::uint8_t flag, std::string_view recipient,
             std::string_view subject, std::string_view body, std::string_view copy,
             const std::vector<std::string>& attachments, std::string& error);

struct Message {
  std::string to;
  std::string cc;
  std::string subject;
  std::string body;
  std::vector<std::string> attachments;
};

int send_smtp(const SmtpSettings& settings, const Message& message, std::string& error);

// Runs `xdg-email --utf8 [--cc A]... [--subject S] [--body B] [--attach F]... ADDRESS...` found on PATH,
// without a shell, and waits for it: its exit status decides.
int open_in_mail_client(const Message& message, std::string& error);

// One address of a list.
struct Address {
  std::string display_name;
  std::string address;  // local@domain, printable ASCII only
};
// False with `error` for a control character anywhere, an item that is not an address, or an address
// that could be taken for a program's option (a leading "-"). Empty items (";;", a trailing ";") are
// skipped.
bool parse_addresses(std::string_view list, std::vector<Address>& out, std::string& error);

// The password kept in `path`: the file must be a regular file of the calling user that neither group
// nor others may read or write (mode 0600 or 0400); one trailing line break is dropped.
bool read_password_file(const std::string& path, std::string& password, std::string& error);
// Writes the file with mode 0600 through a temporary file in the same folder and a rename, so that it
// is either the old or the new one and never readable by anyone else on the way.
bool write_password_file(const std::string& path, std::string_view password, std::string& error);

}  // namespace mail
