// Filters stored for the user in MAG_FILTR_UZYTKOWNIKA and definitions found in MAG_DEFINICJA_FILTRA.
#include "dane/globals.h"
#include "dane/table.h"
#include "keldox/user_filters.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kStored = "FILU";
constexpr std::string_view kStoredKey = "PK_MAG_FILTR_UZYTKOWNIKA";
constexpr std::string_view kDefinitions = "DEFF";
constexpr std::string_view kDefinitionKey = "AK_MAG_DEFINICJA_FILTRA";

// The user's row of the filter in the buffer, read when it exists; false when it does not (the buffer
// then holds the key alone).
bool fetch_stored(dane::Table& stored, std::int32_t filter) {
  stored.open();
  stored.clear();
  stored.set_integer("ID_FILTRA", filter);
  stored.set_number("ID_FIRMY", dane::GLO.ID_FIRMY);
  stored.set_number("ID_UZYTKOWNIKA", dane::GLO.ID_UZYTKOWNIKA);
  if (stored.fetch(kStoredKey).ok()) return true;
  stored.clear();
  stored.set_integer("ID_FILTRA", filter);
  stored.set_number("ID_FIRMY", dane::GLO.ID_FIRMY);
  stored.set_number("ID_UZYTKOWNIKA", dane::GLO.ID_UZYTKOWNIKA);
  return false;
}

}  // namespace

void ZAPISZXMLFILTRUZYTKOWNIKA(std::int32_t filter, const dane::RecordGroup& group, std::string_view second) {
  if (filter <= 0) return;
  dane::Table* stored = dane::find_table(kStored);
  if (stored == nullptr) return;
  const bool existed = fetch_stored(*stored, filter);
  stored->set_text("XML_FILTRA", GRUPADOXML(group));
  stored->set_text("XML_FILTRA2", runtime::trim_right(second));
  // Failures reach the error object of the record layer, which shows them.
  if (existed) {
    stored->change();
  } else {
    stored->add();
  }
}

void POBIERZXMLFILTRUZYTKOWNIKA(std::int32_t filter, dane::RecordGroup& group, std::string* second) {
  dane::Table* stored = dane::find_table(kStored);
  if (stored == nullptr || !fetch_stored(*stored, filter)) return;
  std::string xml = stored->text("XML_FILTRA");
  XMLDOGRUPY(xml, group);
  if (second != nullptr) *second = std::string(runtime::trim_right(stored->text("XML_FILTRA2")));
}

double POBIERZIDFILTRAXML(std::string_view subsystem, std::string_view type, std::string_view context,
                          std::string_view name) {
  dane::Table* definitions = dane::find_table(kDefinitions);
  if (definitions == nullptr) return 0;
  definitions->open();
  definitions->clear();
  definitions->set_text("PODSYSTEM", runtime::trim_right(subsystem));
  definitions->set_text("TYP", runtime::trim_right(type));
  definitions->set_text("KONTEKST", runtime::trim_right(context));
  definitions->set_text("NAZWA", runtime::trim_right(name));
  if (!definitions->fetch(kDefinitionKey).ok()) return 0;
  return definitions->number("ID_FILTRA");
}

}  // namespace keldox
