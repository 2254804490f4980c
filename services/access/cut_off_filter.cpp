// Keeps very old documents out of browses that otherwise show every date.
#include "access/cut_off_filter.h"

#include "runtime/text.h"

namespace keldox {

std::string cut_off_filter(std::string_view field, std::int32_t first_day) {
  if (first_day <= 0) return std::string(cut_off_filter_width, ' ');
  std::string condition(runtime::trim_right(field));
  condition.append(">=").append(std::to_string(first_day));
  return runtime::pad_to_width(condition, cut_off_filter_width);
}

}  // namespace keldox
