// Conversion between the module's UTF-8 and the callers' Windows-1250 through iconv.
#include "code_page_boundary.h"

#include <iconv.h>

#include <cerrno>

namespace zorva_util {
namespace {

// One iconv descriptor per direction and thread, opened on first use and kept for the thread's life.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in` onto the end of `out`; an input sequence the target cannot take becomes "?" and the
  // conversion goes on after one byte of it (after the whole character when it is valid UTF-8).
  void append(std::string& out, std::string_view in, bool input_is_utf8) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      out.append(in);
      return;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    while (src_left > 0) {
      const std::size_t start = out.size();
      const std::size_t room = src_left * 4 + 16;
      out.resize(start + room);
      char* dst = out.data() + start;
      std::size_t dst_left = room;
      const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.resize(start + (room - dst_left));
      if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      out.push_back('?');
      const std::size_t skip = input_is_utf8 ? valid_utf8_length(src, src_left) : 1;
      src += skip;
      src_left -= skip;
    }
  }

 private:
  // Length of the character at `s` when it is a complete, valid UTF-8 sequence, else 1.
  static std::size_t valid_utf8_length(const char* s, std::size_t left) {
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t length = lead >= 0xF0 && lead < 0xF5   ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                                                             : 1;
    if (length > left || lead >= 0xF5) return 1;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
  }

  iconv_t cd_;
};

Converter& to_utf8() {
  thread_local Converter converter("UTF-8", "WINDOWS-1250");
  return converter;
}

Converter& to_windows1250() {
  thread_local Converter converter("WINDOWS-1250", "UTF-8");
  return converter;
}

}  // namespace

std::string windows1250_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  to_utf8().append(out, bytes, false);
  return out;
}

std::string utf8_to_windows1250(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_as_windows1250(out, text);
  return out;
}

void append_as_windows1250(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      to_windows1250().append(out, text, true);
      return;
    }
  }
  out.append(text);
}

}  // namespace zorva_util
