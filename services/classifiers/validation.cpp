// Validating a record's classifier values before they are saved.
#include "classifiers/field_controls.h"
#include "classifiers/group_fields.h"
#include "dane/window.h"
#include "keldox/classifiers.h"
#include "keldox/messages.h"
#include "runtime/text.h"

namespace keldox {
namespace {

// Whether the value is one of the "|"-separated items of the list. A whole item must match: a part of
// one ("Czer" of "Czerwony") is no value of the list.
bool in_list(std::string_view list, std::string_view value) {
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t bar = list.find('|', start);
    const std::string_view item = list.substr(start, bar == std::string_view::npos ? list.npos : bar - start);
    if (runtime::trim(item) == runtime::trim(value)) return true;
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return false;
}

}  // namespace

bool KLASYFIKATORY_WALIDUJ(std::string_view group, const ClassifierValues& values, dane::Window* window) {
  std::string warning;
  std::size_t failed = 0;
  {
    classifiers_detail::GroupFields fields(group);
    for (std::size_t n = 1; n <= kClassifierFields && failed == 0; ++n) {
      const dane::KlasyfikatorEntry* field = fields[n];
      if (field == nullptr || !classifiers_detail::active(*field)) continue;
      const std::string_view value = values[n - 1].clipped();
      const std::string caption(field->NAZWA_POLA.clipped());
      if (field->CZY_WYMAGANE == 1 &&
          classifiers_detail::data_type(*field) == classifiers_detail::DataType::text &&
          runtime::trim(value).empty()) {
        warning = "Musisz wypełnić pole dodatkowe " + caption + "!";
        failed = n;
      } else if (field->TYP_POLA == classifiers_detail::kListKind && !runtime::trim(value).empty() &&
                 !in_list(field->WARTOSCI_LISTY.clipped(), value)) {
        warning = "Wartość pola " + caption + " musi pochodzić z listy:|" +
                  std::string(field->WARTOSCI_LISTY.clipped());
        failed = n;
      }
    }
  }
  if (failed == 0) return false;
  MSG_OSTRZEZENIE(warning);
  if (window != nullptr) window->set_focus(classifiers_detail::entry_control(failed));
  return true;
}

}  // namespace keldox
