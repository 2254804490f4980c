// Feeds arbitrary bytes to the picture module as pictures, typed texts and values.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

#include "runtime/picture.h"

namespace {

// Pictures the system uses, so that the readers are reached without the fuzzer guessing a grammar.
constexpr std::string_view kKnown[] = {"@n-9.2",     "@n4",    "@n_8", "@n14_`4@", "@n-16_`2", "@n15`2~ zł~",
                                       "@n~$~-10.2", "@e12.3", "@s30", "@d6",      "@d8",      "@d11",
                                       "@d12",       "@d17",   "@d18", "@t3",      "@t7",      "@p###-##p"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte chooses a known picture (high bit set) or splits the input into a picture and a
  // typed text.
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view picture, typed;
  if (data[0] & 0x80) {
    picture = kKnown[(data[0] & 0x7F) % std::size(kKnown)];
    typed = rest;
  } else {
    const std::size_t split = data[0] % size;
    picture = rest.substr(0, split < rest.size() ? split : rest.size());
    typed = rest.substr(picture.size());
  }

  const runtime::PictureKind kind = runtime::picture_kind(picture);
  const runtime::PictureRead read = runtime::read_picture(picture, typed);
  // What a field shows after reading must be what formatting the value read shows.
  if (read.ok() && kind != runtime::PictureKind::unknown && kind != runtime::PictureKind::text &&
      runtime::format_picture(picture, read.number) != read.text) {
    __builtin_trap();
  }
  if (!read.ok() && (!read.number.is_zero() || !read.text.empty())) __builtin_trap();
  runtime::format_picture(picture, typed);
  runtime::format_picture(picture, runtime::Decimal::parse(typed));
  if (typed.size() >= sizeof(double)) {
    double d;
    std::memcpy(&d, typed.data(), sizeof d);
    runtime::format_picture(picture, d);
  }
  return 0;
}
