// Record groups to XML and back, through pugixml.
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>
#include <vector>

#include "keldox/messages.h"
#include "keldox/user_filters.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t kLongestXml = 65534;

// A name pugixml can write as an element: letters, digits, "_" and "-", not starting with a digit.
bool element_name(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front()))) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ||
           static_cast<unsigned char>(c) >= 0x80;
  });
}

}  // namespace

std::string GRUPADOXML(const dane::RecordGroup& group, std::uint8_t sort_by_name) {
  std::vector<const dane::GroupField*> fields;
  for (const dane::GroupField& f : group.fields()) {
    if (!f.array && element_name(dane::bare_field_name(f.name))) fields.push_back(&f);
  }
  if (sort_by_name != 0) {
    std::stable_sort(fields.begin(), fields.end(), [](const dane::GroupField* a, const dane::GroupField* b) {
      return dane::bare_field_name(a->name) < dane::bare_field_name(b->name);
    });
  }
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("GROUP");
  if (!root) {
    MSG_OSTRZEZENIE("Błąd inicjacji obiektu XMLDOC!");
    return {};
  }
  for (const dane::GroupField* f : fields) {
    const std::string name = dane::bare_field_name(f->name);
    root.append_child(name.c_str()).text().set(std::string(runtime::trim_right(f->value)).c_str());
  }
  std::ostringstream out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return std::string(runtime::cut_to_width(out.str(), kLongestXml));
}

void XMLDOGRUPY(std::string& xml, dane::RecordGroup& group, std::uint8_t /*sort_by_name*/) {
  pugi::xml_document document;
  const std::string_view text = runtime::trim(xml);
  if (text.empty()) return;  // nothing stored: the group stays as it is
  const pugi::xml_parse_result parsed =
      document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    MSG_OSTRZEZENIE("Błąd ładowania definicji XML!");
    return;
  }
  const pugi::xml_node root = document.document_element();
  for (const dane::GroupField& f : group.fields()) {
    if (f.array) continue;
    const std::string name = dane::bare_field_name(f.name);
    for (const pugi::xml_node node : root.children()) {
      if (runtime::to_upper(node.name()) == name) {
        group.set(f.name, node.text().get());
        break;
      }
    }
  }
}

}  // namespace keldox
