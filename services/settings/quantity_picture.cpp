// The picture of a quantity column, switched between its integer and its four-decimal form.
#include <array>

#include "keldox/column_settings.h"
#include "keldox/sql_text.h"

namespace keldox {
namespace {

struct PicturePair {
  std::string_view integer;
  std::string_view decimals;
};

constexpr std::array<PicturePair, 4> kQuantityPictures{
    {{"@n-14_@", "@n-14_`4@"}, {"@n14_@", "@n14_`4@"}, {"@n-16_@", "@n-16_`4@"}, {"@n16_@", "@n16_`4@"}}};

}  // namespace

std::string quantity_picture(std::string_view picture, bool without_decimals) {
  std::string result(picture);
  for (const PicturePair& p : kQuantityPictures) {
    result = without_decimals ? REPLACEPROC2(result, p.decimals, p.integer)
                              : REPLACEPROC2(result, p.integer, p.decimals);
  }
  return result;
}

}  // namespace keldox
