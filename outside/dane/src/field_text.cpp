// Field texts by picture: shown without padding, read back into the stored value.
#include "dane/field_text.h"

#include "runtime/picture.h"
#include "runtime/text.h"

namespace dane {
namespace {
constexpr std::string_view kCalendarPicture = "@d6.";  // dd.MM.yyyy whatever the short date is
}  // namespace

std::string field_shown_text(std::string_view picture, std::string_view value) {
  if (picture.empty()) return std::string(value);
  const std::string shown = runtime::format_picture(picture, value);
  // A text keeps its own leading blanks; everything else is padded on the left to align in its width.
  if (runtime::picture_kind(picture) == runtime::PictureKind::text)
    return std::string(runtime::trim_right(shown));
  return std::string(runtime::trim(shown));
}

std::optional<std::string> field_value_from_typed(std::string_view picture, std::string_view typed) {
  const runtime::PictureKind kind = runtime::picture_kind(picture);
  if (picture.empty() || kind == runtime::PictureKind::unknown) return std::string(typed);
  const runtime::PictureRead read = runtime::read_picture(picture, typed);
  if (!read.ok()) return std::nullopt;
  if (read.blank) return std::string{};
  return kind == runtime::PictureKind::text ? read.text : read.number.to_text();
}

std::string calendar_date_text(std::int32_t day) {
  return runtime::format_picture(kCalendarPicture, runtime::Decimal::whole(day));
}

std::optional<std::int32_t> calendar_date_from_text(std::string_view text) {
  const runtime::PictureRead read = runtime::read_picture(kCalendarPicture, text);
  if (!read.ok() || read.blank || read.number.units() <= 0) return std::nullopt;
  return static_cast<std::int32_t>(read.number.units());
}

bool is_date_picture(std::string_view picture) {
  return runtime::picture_kind(picture) == runtime::PictureKind::date;
}

std::string masked_value(std::string_view value) {
  return value.empty() ? std::string{} : std::string("***");
}

}  // namespace dane
