// The one-line address "street house/flat" printed on documents.
#include "keldox/text.h"
#include "runtime/text.h"

namespace keldox {
namespace {
constexpr std::size_t address_limit = 99;
}  // namespace

std::string PODAJADRES(std::string_view street, std::string_view house_number, std::string_view flat_number) {
  const std::string_view house = runtime::trim_right(house_number);
  const std::string_view flat = runtime::trim_right(flat_number);
  std::string out(runtime::trim_right(street));
  if (!house.empty()) {
    out.push_back(' ');
    out.append(house);
    if (!flat.empty()) {
      out.push_back('/');
      out.append(flat);
    }
  }
  out.resize(runtime::cut_to_width(out, address_limit).size());
  return out;
}

}  // namespace keldox
