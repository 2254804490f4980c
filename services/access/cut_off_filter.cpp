// Keeps very old documents out of browses that otherwise show every date.
#include "access/cut_off_filter.h"

#include <cmath>
#include <limits>

#include "keldox/config_parameters.h"
#include "keldox/filters.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {

std::string cut_off_filter(std::string_view field, std::int32_t first_day) {
  if (first_day <= 0) return std::string(cut_off_filter_width, ' ');
  std::string condition(runtime::trim_right(field));
  condition.append(">=").append(std::to_string(first_day));
  return runtime::pad_to_width(condition, cut_off_filter_width);
}

}  // namespace keldox

namespace keldox {

std::string PODAJFILTRODCIECIA(std::string_view field) {
  const std::string value = POBIERZPARAMKONF("DataOdPelnyZakres", "u");
  // A day number; a value that is no number reads as 0, as the system's numeric conversion does.
  const double day = runtime::leading_number(value, runtime::Exponent::read).value_or(0.0);
  const bool in_range = std::isfinite(day) && day >= 1 && day <= std::numeric_limits<std::int32_t>::max();
  return cut_off_filter(field, in_range ? static_cast<std::int32_t>(day) : 0);
}

}  // namespace keldox
