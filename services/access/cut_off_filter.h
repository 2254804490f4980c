// The date cut-off condition of browses that offer the full range of dates, apart from where its day
// number is configured.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

inline constexpr std::size_t cut_off_filter_width = 50;

// field (trailing blanks cut) + ">=" + first_day when first_day is above 0, otherwise nothing; always
// padded with blanks, or cut, to exactly 50 characters, the width of the exported result, so that callers
// get the same text whether or not they trim it.
std::string cut_off_filter(std::string_view field, std::int32_t first_day);

}  // namespace keldox
