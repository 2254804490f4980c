// The SMTP way: the message built whole in memory and uploaded through libcurl in one bounded call.
#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "mail/mail.h"
#include "mime.h"
#include "prepare.h"

namespace mail {
namespace {

struct Upload {
  const std::string* data;
  std::size_t at = 0;
};

std::size_t read_upload(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const std::size_t n = std::min(size * count, upload->data->size() - upload->at);
  std::memcpy(buffer, upload->data->data() + upload->at, n);
  upload->at += n;
  return n;
}

// The server's last refusal (a 4xx or 5xx line), which libcurl's own text does not always carry.
int record_reply(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
  if (type != CURLINFO_HEADER_IN || size == 0) return 0;
  std::string line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!line.empty() && (line.front() == '4' || line.front() == '5')) *static_cast<std::string*>(user) = line;
  return 0;
}

bool valid_server(std::string_view server) {
  if (server.empty()) return false;
  if (server.front() == '[') {
    if (server.back() != ']' || server.size() < 3) return false;
    for (char c : server.substr(1, server.size() - 2)) {
      if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.') return false;
    }
    return true;
  }
  for (char c : server) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') return false;
  }
  return true;
}

// The user's words for what went wrong, with libcurl's own detail after them.
std::string failure_text(CURLcode code, const char* detail, const std::string& where,
                         const std::string& refusal) {
  std::string text;
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      text = "serwer poczty " + where + " nie odpowiedział w wyznaczonym czasie";
      break;
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
      text = "nie można połączyć się z serwerem poczty " + where;
      break;
    case CURLE_LOGIN_DENIED:
      text = "serwer poczty " + where + " nie przyjął użytkownika lub hasła";
      break;
    case CURLE_USE_SSL_FAILED:
      text = "serwer poczty " + where + " nie oferuje szyfrowania STARTTLS";
      break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      text = "nie można potwierdzić certyfikatu serwera poczty " + where;
      break;
    case CURLE_SSL_CONNECT_ERROR:
      text = "nie można nawiązać szyfrowanego połączenia z serwerem poczty " + where;
      break;
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
      text = "serwer poczty " + where + " zerwał połączenie";
      break;
    default:
      text = "serwer poczty " + where + " nie przyjął wiadomości";
      break;
  }
  const std::string own = detail != nullptr && *detail != '\0' ? detail : curl_easy_strerror(code);
  text += " (" + own + ")";
  if (!refusal.empty() && own.find(refusal.substr(0, 3)) == std::string::npos) {
    text += ": " + refusal;
  }
  return text;
}

}  // namespace

int default_port(Security security) {
  switch (security) {
    case Security::StartTls:
      return 587;
    case Security::Tls:
      return 465;
    case Security::None:
      break;
  }
  return 25;
}

int send_smtp(const SmtpSettings& settings, const Message& message, std::string& error) {
  try {
    if (settings.server.empty()) {
      error = "nie ustawiono serwera poczty";
      return 2;
    }
    if (!valid_server(settings.server)) {
      error = "niepoprawna nazwa serwera poczty: " + settings.server;
      return 2;
    }
    std::vector<Address> senders;
    std::string detail;
    if (settings.sender.empty()) {
      error = "nie ustawiono adresu nadawcy";
      return 2;
    }
    if (!parse_addresses(settings.sender, senders, detail) || senders.size() != 1 ||
        settings.sender_name.find_first_of("\r\n") != std::string::npos) {
      error = "niepoprawny adres nadawcy: " + settings.sender;
      return 2;
    }
    Prepared prepared;
    if (!prepare(message, true, prepared, error)) return 3;
    std::string password;
    if (!settings.user.empty() && !read_password_file(settings.password_file, password, error)) return 4;

    mime::Envelope e;
    e.from = Address{settings.sender_name, senders.front().address};
    e.to = prepared.to;
    e.cc = prepared.cc;
    e.subject = message.subject;
    e.body = message.body;
    e.attachments = std::move(prepared.attachments);
    e.date = mime::date_now();
    e.message_id = mime::new_message_id(e.from.address);
    e.boundary = mime::new_boundary();
    const std::string text = mime::compose(e);

    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
      error = "brak pamięci na połączenie z serwerem poczty";
      return 5;
    }
    const int port = settings.port > 0 ? settings.port : default_port(settings.security);
    const std::string where = settings.server + ":" + std::to_string(port);
    const std::string url = std::string(settings.security == Security::Tls ? "smtps://" : "smtp://") + where;
    curl_slist* recipients = nullptr;
    for (const auto* list : {&e.to, &e.cc}) {
      for (const Address& a : *list)
        recipients = curl_slist_append(recipients, ("<" + a.address + ">").c_str());
    }
    const std::string from = "<" + e.from.address + ">";
    Upload upload{&text};
    char detail_buffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, settings.connect_timeout_ms);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, settings.total_timeout_ms);
    if (settings.security == Security::StartTls)
      curl_easy_setopt(curl, CURLOPT_USE_SSL, (long)CURLUSESSL_ALL);
    if (!settings.ca_file.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, settings.ca_file.c_str());
    if (!settings.user.empty()) {
      curl_easy_setopt(curl, CURLOPT_USERNAME, settings.user.c_str());
      curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    // libcurl's default is kept: any refused recipient ends the conversation, so a message that would
    // reach only some recipients is never reported as sent.
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, read_upload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail_buffer);
    std::string refusal;
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, record_reply);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &refusal);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);
    std::fill(password.begin(), password.end(), '\0');
    if (code != CURLE_OK) {
      error = failure_text(code, detail_buffer, where, refusal);
      return 10;
    }
    return 0;
  } catch (...) {
    error = "brak pamięci na wiadomość e-mail";
    return 5;
  }
}

}  // namespace mail
