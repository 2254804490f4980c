// Any recipient list, display name, subject, body and attachment name through the address parser and the
// message builder: whatever passes the checks must give a message whose header block holds exactly the
// headers we write, each line a header or its continuation, no line longer than 998 characters.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail.h"
#include "mime.h"

namespace {

std::vector<std::string> fields(std::string_view data, std::size_t count) {
  std::vector<std::string> out;
  while (out.size() + 1 < count) {
    const std::size_t bar = data.find('\x01');
    if (bar == std::string_view::npos) break;
    out.emplace_back(data.substr(0, bar));
    data.remove_prefix(bar + 1);
  }
  out.emplace_back(data);
  out.resize(count);
  return out;
}

bool has_control(std::string_view text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7f) return true;
  }
  return false;
}

void check_lines(std::string_view message) {
  const std::size_t end_of_headers = message.find("\r\n\r\n");
  if (end_of_headers == std::string_view::npos) std::abort();
  const std::set<std::string> allowed = {"Date",         "From",         "To",
                                         "Cc",           "Subject",      "Message-ID",
                                         "MIME-Version", "Content-Type", "Content-Transfer-Encoding"};
  std::size_t at = 0;
  while (at < message.size()) {
    const std::size_t end = message.find("\r\n", at);
    if (end == std::string_view::npos) std::abort();  // every line ends in CR LF
    const std::string_view line = message.substr(at, end - at);
    if (line.size() > 998) std::abort();
    if (line.find('\r') != std::string_view::npos || line.find('\n') != std::string_view::npos) std::abort();
    if (at < end_of_headers + 2) {
      if (line.empty()) std::abort();
      if (line.front() != ' ' && line.front() != '\t') {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !allowed.contains(std::string(line.substr(0, colon))))
          std::abort();
      }
    }
    at = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fields(std::string_view(reinterpret_cast<const char*>(data), size), 5);
  std::vector<mail::Address> to, cc;
  std::string error;
  if (!mail::parse_addresses(f[0], to, error) || to.empty()) return 0;
  for (const mail::Address& a : to) {
    if (has_control(a.address) || has_control(a.display_name) || a.address.front() == '-') std::abort();
  }
  if (has_control(f[1])) return 0;  // refused before composing
  mail::mime::Envelope e;
  e.from = mail::Address{f[3].substr(0, 100), "biuro@zaklad.pl"};
  if (has_control(e.from.display_name)) return 0;
  e.to = to;
  e.subject = f[1].substr(0, 500);
  e.body = f[2];
  if (!f[4].empty()) e.attachments.push_back({f[4].substr(0, 255), f[2]});
  e.date = mail::mime::date_now();
  e.message_id = "<1.a@zaklad.pl>";
  e.boundary = "=_mirlet_fuzz";
  check_lines(mail::mime::compose(e));
  return 0;
}
