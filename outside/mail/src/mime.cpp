// Internet message encodings, written here so that every byte of the message is ours to check.
#include "mime.h"

#include <ctime>
#include <random>

namespace mail::mime {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool printable_ascii(std::string_view text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7e) return false;
  }
  return true;
}

// Characters a display name may carry bare (RFC 5322 atext and blanks).
bool plain_phrase(std::string_view text) {
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == ' ') continue;
    if (std::string_view("!#$%&'*+-/=?^_`{|}~").find(static_cast<char>(c)) == std::string_view::npos)
      return false;
  }
  return true;
}

bool continuation_byte(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

std::string hex_byte(unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {'=', kHex[c >> 4], kHex[c & 15]};
}

std::string percent_byte(unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {'%', kHex[c >> 4], kHex[c & 15]};
}

std::string lower_extension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string ext(name.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace

std::string base64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string base64_lines(std::string_view bytes) {
  const std::string flat = base64(bytes);
  std::string out;
  out.reserve(flat.size() + flat.size() / 76 * 2 + 2);
  for (std::size_t at = 0; at < flat.size(); at += 76) {
    out.append(flat, at, 76);
    out += "\r\n";
  }
  return out;
}

std::string quoted_printable(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    const bool last = end == std::string_view::npos;
    std::string_view line = text.substr(start, last ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t width = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      const bool at_end = i + 1 == line.size();
      std::string token;
      if ((c == ' ' || c == '\t') && at_end) {
        token = hex_byte(c);
      } else if (c == '.' && width == 0) {
        token = hex_byte(c);
      } else if ((c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t') {
        token = std::string(1, static_cast<char>(c));
      } else {
        token = hex_byte(c);
      }
      // A soft break leaves room for its "=" within 76 characters.
      if (width + token.size() > 75) {
        out += "=\r\n";
        width = 0;
        if (token == ".") token = hex_byte(c);
      }
      out += token;
      width += token.size();
    }
    if (last) break;
    out += "\r\n";
    start = end + 1;
  }
  if (!out.empty() && !out.ends_with("\r\n")) out += "\r\n";
  return out;
}

std::string header_text(std::string_view text) {
  // A plain text that looks like an encoded word would be decoded by the reader: it is encoded too.
  if (printable_ascii(text) && text.find("=?") == std::string_view::npos) return std::string(text);
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    // 45 bytes make 60 base64 characters: with "=?UTF-8?B?" and "?=" the word stays within 75.
    std::size_t take = std::min<std::size_t>(45, text.size() - at);
    while (at + take < text.size() && take > 0 &&
           continuation_byte(static_cast<unsigned char>(text[at + take])))
      --take;
    if (take == 0) take = std::min<std::size_t>(45, text.size() - at);
    if (!out.empty()) out += "\r\n ";
    out += "=?UTF-8?B?" + base64(text.substr(at, take)) + "?=";
    at += take;
  }
  return out;
}

std::string mailbox(const Address& address) {
  const std::string bracketed = "<" + address.address + ">";
  if (address.display_name.empty()) return bracketed;
  if (!printable_ascii(address.display_name)) return header_text(address.display_name) + " " + bracketed;
  if (plain_phrase(address.display_name)) return address.display_name + " " + bracketed;
  std::string quoted = "\"";
  for (char c : address.display_name) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\" " + bracketed;
}

FileNameParameters file_name_parameters(std::string_view name) {
  FileNameParameters p;
  bool simple = printable_ascii(name);
  for (char c : name) {
    if (c == '"' || c == '\\') simple = false;
  }
  if (simple && name.size() <= 60) {
    p.content_type_name = "; name=\"" + std::string(name) + "\"";
    p.disposition_filename = "; filename=\"" + std::string(name) + "\"";
    return p;
  }
  std::string encoded = header_text(name);
  if (printable_ascii(name)) encoded = "=?UTF-8?B?" + base64(name) + "?=";
  for (std::size_t at = encoded.find("\r\n "); at != std::string::npos; at = encoded.find("\r\n ", at)) {
    encoded.replace(at, 3, "\r\n\t");
  }
  p.content_type_name = ";\r\n\tname=\"" + encoded + "\"";
  // RFC 2231: percent-encoded UTF-8 in continuations, no escape split between two.
  std::vector<std::string> pieces(1);
  for (unsigned char c : name) {
    const bool bare = std::isalnum(c) ||
                      std::string_view("!#$&+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
    const std::string token = bare ? std::string(1, static_cast<char>(c)) : percent_byte(c);
    if (pieces.back().size() + token.size() > 54) pieces.emplace_back();
    pieces.back() += token;
  }
  if (pieces.size() == 1) {
    p.disposition_filename = ";\r\n\tfilename*=UTF-8''" + pieces.front();
  } else {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      p.disposition_filename +=
          ";\r\n\tfilename*" + std::to_string(i) + "*=" + (i == 0 ? "UTF-8''" : "") + pieces[i];
    }
  }
  return p;
}

std::string content_type_of(std::string_view file_name) {
  const std::string ext = lower_extension(file_name);
  if (ext == "pdf") return "application/pdf";
  if (ext == "txt") return "text/plain";
  if (ext == "csv") return "text/csv";
  if (ext == "xml") return "application/xml";
  if (ext == "xls") return "application/vnd.ms-excel";
  if (ext == "xlsx") return "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
  if (ext == "png") return "image/png";
  if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
  if (ext == "zip") return "application/zip";
  return "application/octet-stream";
}

std::string compose(const Envelope& e) {
  std::string m;
  auto list = [](const std::vector<Address>& addresses) {
    std::string out;
    for (const Address& a : addresses) {
      if (!out.empty()) out += ",\r\n ";
      out += mailbox(a);
    }
    return out;
  };
  m += "Date: " + e.date + "\r\n";
  m += "From: " + mailbox(e.from) + "\r\n";
  m += "To: " + list(e.to) + "\r\n";
  if (!e.cc.empty()) m += "Cc: " + list(e.cc) + "\r\n";
  m += "Subject: " + header_text(e.subject) + "\r\n";
  m += "Message-ID: " + e.message_id + "\r\n";
  m += "MIME-Version: 1.0\r\n";
  const std::string text_headers =
      "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: quoted-printable\r\n";
  if (e.attachments.empty()) {
    m += text_headers + "\r\n" + quoted_printable(e.body);
    return m;
  }
  m += "Content-Type: multipart/mixed; boundary=\"" + e.boundary + "\"\r\n\r\n";
  m += "This is a multi-part message in MIME format.\r\n";
  // The line break before a boundary belongs to the boundary, so each part gets one of its own.
  m += "--" + e.boundary + "\r\n" + text_headers + "\r\n" + quoted_printable(e.body);
  for (const Attachment& a : e.attachments) {
    const FileNameParameters names = file_name_parameters(a.name);
    m += "\r\n--" + e.boundary + "\r\n";
    m += "Content-Type: " + content_type_of(a.name) + names.content_type_name + "\r\n";
    m += "Content-Transfer-Encoding: base64\r\n";
    m += "Content-Disposition: attachment" + names.disposition_filename + "\r\n\r\n";
    m += base64_lines(a.bytes);
  }
  m += "\r\n--" + e.boundary + "--\r\n";
  return m;
}

std::string date_now() {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const long offset = local.tm_gmtoff / 60;
  const long magnitude = offset < 0 ? -offset : offset;
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday],
                local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min,
                local.tm_sec, offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

namespace {
std::string random_hex(int digits) {
  static thread_local std::mt19937_64 engine{std::random_device{}()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < digits; ++i) out += kHex[engine() & 15];
  return out;
}
}  // namespace

std::string new_message_id(std::string_view sender) {
  const std::size_t at = sender.rfind('@');
  const std::string domain = at == std::string_view::npos ? "localhost" : std::string(sender.substr(at + 1));
  return "<" + std::to_string(std::time(nullptr)) + "." + random_hex(16) + "@" + domain + ">";
}

std::string new_boundary() {
  return "=_mirlet_" + random_hex(24);
}

}  // namespace mail::mime
