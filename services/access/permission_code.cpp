// Upper-casing a permission code into a fixed buffer, the flag text held inline, and the session values a
// check reads.
#include "access/permission_code.h"

#include <cmath>
#include <limits>

#include "dane/globals.h"
#include "keldox/permissions.h"
#include "runtime/text.h"

namespace keldox {
namespace access {
namespace {

// Appends a code point as UTF-8; the buffer has room for four bytes per character of the code.
std::size_t put_utf8(char* out, char32_t c) noexcept {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | ((c >> 18) & 0x07));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

}  // namespace

PermissionCode::PermissionCode(std::string_view code) noexcept {
  const std::string_view s = runtime::trim_right(runtime::cut_to_width(code, kCodeWidth));
  for (std::size_t pos = 0; pos < s.size();) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {  // most codes are plain ASCII
      bytes_[size_++] = static_cast<char>(lead >= 'a' && lead <= 'z' ? lead - ('a' - 'A') : lead);
      ++pos;
      continue;
    }
    const std::size_t length = runtime::utf8_char_length(s, pos);
    if (length == 1) {
      bytes_[size_++] = s[pos];  // a stray byte stays as it is, as in runtime::to_upper
    } else {
      size_ += put_utf8(bytes_.data() + size_, runtime::upper_code_point(runtime::decode_utf8(s, pos)));
    }
    pos += length;
  }
}

std::int32_t current_warehouse() noexcept {
  const double warehouse = std::trunc(dane::GLO.ID_MAGAZYNU);
  if (!std::isfinite(warehouse)) return 0;
  if (warehouse <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (warehouse >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(warehouse);
}

bool is_administrator() noexcept {
  return dane::GLO.ID_UZYTKOWNIKA == kAdministratorId;
}

}  // namespace access

FlagText FlagText::padded(std::string_view letters) {
  FlagText flags;
  const std::string_view cut = runtime::cut_to_width(letters, width);
  cut.copy(flags.bytes_.data(), cut.size());
  flags.size_ = cut.size();
  for (std::size_t n = runtime::char_count(cut); n < width; ++n) flags.bytes_[flags.size_++] = ' ';
  return flags;
}

std::string_view FlagText::clipped() const {
  return runtime::trim_right(view());
}

bool operator==(const FlagText& a, std::string_view b) {
  return runtime::same_text(a.view(), b);
}

}  // namespace keldox
