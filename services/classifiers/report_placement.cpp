// Placing a record's classifier values on a printed report's band.
#include "classifiers/group_fields.h"
#include "dane/report_band.h"
#include "keldox/classifiers.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::int32_t kFirstControl = 5001;
constexpr std::int32_t kFirstColumn = 100;
constexpr std::int32_t kSecondColumn = 3600;
constexpr std::int32_t kFirstRow = 50;
constexpr std::int32_t kRowStep = 150;

}  // namespace

bool KLASYFIKATORY_RAPORT(std::string_view group, const ClassifierValues& values, std::string_view selection,
                          dane::ReportBand& band) {
  classifiers_detail::GroupFields fields(group);
  std::int32_t number = kFirstControl;
  std::int32_t row = 0;
  bool second_column = false;
  for (std::size_t n = 1; n <= kClassifierFields; ++n) {
    const dane::KlasyfikatorEntry* field = fields[n];
    if (field == nullptr || !classifiers_detail::active(*field)) continue;
    if (n > selection.size() || selection[n - 1] != '1') continue;
    const std::string picture = "@" + std::string(runtime::trim(field->MASKA_POLA.view()));
    const std::string text =
        std::string(field->NAZWA_POLA.clipped()) + ":  " +
        std::string(runtime::trim(runtime::format_picture(picture, values[n - 1].clipped())));
    const std::int32_t x = second_column ? kSecondColumn : kFirstColumn;
    const std::int32_t y = kFirstRow + row * kRowStep;
    band.add_text(number++, text, x, y);
    // A first-column text that runs into the second column keeps that row to itself.
    if (!second_column && x + dane::ReportBand::text_width(text) <= kSecondColumn) {
      second_column = true;
    } else {
      second_column = false;
      ++row;
    }
  }
  return number == kFirstControl;
}

}  // namespace keldox
