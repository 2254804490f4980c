#include "register_record.h"

#include <pugixml.hpp>

#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

#include "runtime/date.h"
#include "runtime/text.h"

namespace zorva_util {
namespace {

std::string trimmed(const RegisterFields& fields, const std::string& name) {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : std::string(runtime::trim(found->second));
}

std::string digits(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

// "00950" and "00-950" both become "00-950"; anything else stays as the register wrote it.
std::string postal_code(const std::string& text) {
  const std::string d = digits(text);
  return d.size() == 5 ? d.substr(0, 2) + "-" + d.substr(2) : text;
}

// "2005-03-01" as a day number; empty for anything that is no date.
std::string day_number(const std::string& text) {
  unsigned year = 0, month = 0, day = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4u-%2u-%2u%c", &year, &month, &day, &tail) != 3) return {};
  const std::chrono::year_month_day ymd{std::chrono::year(static_cast<int>(year)), std::chrono::month(month),
                                        std::chrono::day(day)};
  if (!ymd.ok()) return {};
  return std::to_string(runtime::from_ymd(ymd));
}

}  // namespace

std::string register_record_xml(const RegisterFields& found, const RegisterFields& report) {
  const std::string p = report_prefix(found);
  // The report's element, or the search's when the report has none.
  auto either = [&](const std::string& in_report, const std::string& in_search) {
    std::string value = trimmed(report, p + in_report);
    return value.empty() ? trimmed(found, in_search) : value;
  };
  const std::string name = either("nazwa", "Nazwa");
  std::string regon = digits(trimmed(report, p + (p.starts_with("lok") ? "regon14" : "regon9")));
  if (regon.empty()) regon = digits(trimmed(found, "Regon"));
  const std::string place = either("adSiedzMiejscowosc_Nazwa", "Miejscowosc");
  const std::string street = either("adSiedzUlica_Nazwa", "Ulica");
  const std::string house = either("adSiedzNumerNieruchomosci", "NrNieruchomosci");
  const std::string premises = either("adSiedzNumerLokalu", "NrLokalu");
  std::string line = street.empty() ? place : street;
  if (!house.empty()) line += " " + house;
  if (!premises.empty()) line += "/" + premises;

  const std::vector<std::pair<const char*, std::string>> elements{
      {"NAZWA", std::string(runtime::cut_to_width(name, 50))},
      {"NAZWA_PELNA", std::string(runtime::cut_to_width(name, 255))},
      {"NIP", digits(either("nip", "Nip"))},
      {"REGON", regon},
      {"NR_W_REJ", trimmed(report, p + "numerWRejestrzeEwidencji")},
      {"NAZWA_REJ", trimmed(report, p + "rodzajRejestruEwidencji_Nazwa")},
      {"ORGAN_ZAL", trimmed(report, p + "organZalozycielski_Nazwa")},
      {"DATA_REJ", day_number(trimmed(report, p + "dataWpisuDoRejestruEwidencji"))},
      {"DATA_ROZP_DZIA", day_number(trimmed(report, p + "dataRozpoczeciaDzialalnosci"))},
      {"SYM_KRAJU", trimmed(report, p + "adSiedzKraj_Symbol")},
      {"WOJEWODZTWO", either("adSiedzWojewodztwo_Nazwa", "Wojewodztwo")},
      {"POWIAT", either("adSiedzPowiat_Nazwa", "Powiat")},
      {"GMINA", either("adSiedzGmina_Nazwa", "Gmina")},
      {"MIEJSCOWOSC", place},
      {"POCZTA", either("adSiedzMiejscowoscPoczty_Nazwa", "MiejscowoscPoczty")},
      {"KOD_POCZTOWY", postal_code(either("adSiedzKodPocztowy", "KodPocztowy"))},
      {"ULICA", street},
      {"NR_DOMU", house},
      {"NR_LOKALU", premises},
      {"ULICA_LOKAL", std::string(runtime::cut_to_width(line, 50))},
      {"EMAIL", trimmed(report, p + "adresEmail")},
      {"TELEFON", trimmed(report, p + "numerTelefonu")},
      {"WWW", trimmed(report, p + "adresStronyinternetowej")},
  };
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("GUS");
  for (const auto& [element, value] : elements) {
    if (!value.empty()) root.append_child(element).text().set(value.c_str());
  }
  std::ostringstream out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

}  // namespace zorva_util
