// Upper-case hexadecimal renderings of a byte and of a 32-bit number.
#include "keldox/text.h"

namespace keldox {
namespace {
constexpr char hex_digits[] = "0123456789ABCDEF";
}  // namespace

std::string LONGTOHEX(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  std::string out(8, '0');
  for (int i = 0; i < 8; ++i) out[7 - i] = hex_digits[(bits >> (4 * i)) & 0xF];
  return out;
}

std::string BYTETOHEX(std::uint8_t value) {
  return {hex_digits[value >> 4], hex_digits[value & 0xF]};
}

}  // namespace keldox
