// The register's SOAP 1.2 calls: WS-Addressing headers, the session id in the "sid" HTTP header, answers
// that come as MTOM messages whose root part is the envelope, and results that are XML texts of their own.
#include "register_service.h"

#include <pugixml.hpp>

#include <sstream>

#include "environment.h"

namespace zorva_util {
namespace {

constexpr std::string_view kProductionUrl =
    "https://wyszukiwarkaregon.stat.gov.pl/wsBIR/UslugaBIRzewnPubl.svc";
constexpr std::string_view kTestUrl = "https://wyszukiwarkaregontest.stat.gov.pl/wsBIR/UslugaBIRzewnPubl.svc";
constexpr std::string_view kTestKey = "abcde12345abcde12345";
constexpr const char* kServiceNamespace = "http://CIS/BIR/PUBL/2014/07";
constexpr const char* kDataNamespace = "http://CIS/BIR/PUBL/2014/07/DataContract";
constexpr const char* kActionBase = "http://CIS/BIR/PUBL/2014/07/IUslugaBIRzewnPubl/";
constexpr const char* kFailedToAsk = "Rejestr GUS nie odpowiedział: ";

std::string_view local_name(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node find_local(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (local_name(child.name()) == name) return child;
    if (pugi::xml_node found = find_local(child, name)) return found;
  }
  return {};
}

// An envelope for the operation with its parameters (pairs of element and text, the element's prefix
// telling its namespace).
std::string envelope(const std::string& url, std::string_view operation,
                     const std::vector<std::pair<std::string, std::string>>& parameters,
                     std::string_view wrapper = {}) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("soap:Envelope");
  root.append_attribute("xmlns:soap") = "http://www.w3.org/2003/05/soap-envelope";
  root.append_attribute("xmlns:ns") = kServiceNamespace;
  root.append_attribute("xmlns:dat") = kDataNamespace;
  pugi::xml_node header = root.append_child("soap:Header");
  header.append_attribute("xmlns:wsa") = "http://www.w3.org/2005/08/addressing";
  header.append_child("wsa:To").text().set(url.c_str());
  header.append_child("wsa:Action").text().set((kActionBase + std::string(operation)).c_str());
  pugi::xml_node call = root.append_child("soap:Body").append_child(("ns:" + std::string(operation)).c_str());
  if (!wrapper.empty()) call = call.append_child(("ns:" + std::string(wrapper)).c_str());
  for (const auto& [element, text] : parameters) call.append_child(element.c_str()).text().set(text.c_str());
  std::ostringstream out;
  document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
  return out.str();
}

const char* search_element(IdentifierKind kind) {
  switch (kind) {
    case IdentifierKind::nip:
      return "dat:Nip";
    case IdentifierKind::regon:
      return "dat:Regon";
    case IdentifierKind::krs:
      return "dat:Krs";
  }
  return "dat:Nip";
}

std::string field(const RegisterFields& fields, const std::string& name) {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : found->second;
}

}  // namespace

RegisterSettings register_settings_from_environment() {
  RegisterSettings s;
  s.key = environment_text("MIRLET_GUS_KEY");
  const std::string url = environment_text("MIRLET_GUS_URL");
  s.test_environment = s.key.empty() && url.empty();
  s.url = !url.empty() ? url : std::string(s.test_environment ? kTestUrl : kProductionUrl);
  if (s.test_environment) s.key = kTestKey;
  s.limits.connect_timeout_ms = environment_milliseconds("MIRLET_GUS_CONNECT_TIMEOUT_MS", 5000);
  s.limits.total_timeout_ms = environment_milliseconds("MIRLET_GUS_TIMEOUT_MS", 15000);
  s.limits.max_body_bytes = 4 * 1024 * 1024;
  return s;
}

std::optional<std::string> soap_result(std::string_view answer, std::string_view operation) {
  // The envelope is the first element named Envelope in any prefix; MIME parts around it are left out.
  std::size_t start = std::string_view::npos;
  for (std::size_t at = answer.find("Envelope"); at != std::string_view::npos;
       at = answer.find("Envelope", at + 1)) {
    std::size_t open = at;
    while (open > 0 && answer[open - 1] != '<' && answer[open - 1] != '/' &&
           (std::isalnum(static_cast<unsigned char>(answer[open - 1])) || answer[open - 1] == ':'))
      --open;
    if (open > 0 && answer[open - 1] == '<') {
      start = open - 1;
      break;
    }
  }
  const std::size_t last = answer.rfind("Envelope>");
  if (start == std::string_view::npos || last == std::string_view::npos || last < start) return std::nullopt;
  const std::string_view xml = answer.substr(start, last + 9 - start);
  pugi::xml_document document;
  if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8))
    return std::nullopt;
  const pugi::xml_node result = find_local(document, std::string(operation) + "Result");
  if (!result) return std::nullopt;
  return std::string(result.child_value());
}

std::vector<RegisterFields> result_records(std::string_view result_xml) {
  std::vector<RegisterFields> records;
  pugi::xml_document document;
  if (!document.load_buffer(result_xml.data(), result_xml.size(), pugi::parse_default, pugi::encoding_utf8))
    return records;
  for (pugi::xml_node record : document.document_element().children("dane")) {
    RegisterFields fields;
    for (pugi::xml_node element : record.children()) {
      if (element.type() == pugi::node_element) fields[element.name()] = element.child_value();
    }
    records.push_back(std::move(fields));
  }
  return records;
}

std::string report_prefix(const RegisterFields& found) {
  const std::string type = field(found, "Typ");
  if (type == "LP") return "lokpraw_";
  if (type == "LF") return "lokfiz_";
  if (type == "F") return "fiz_";
  return "praw_";
}

std::string report_name(const RegisterFields& found) {
  const std::string type = field(found, "Typ");
  if (type == "LP") return "BIR11JednLokalnaOsPrawnej";
  if (type == "LF") return "BIR11JednLokalnaOsFizycznej";
  if (type != "F") return "BIR11OsPrawna";
  const std::string silo = field(found, "SilosID");
  if (silo == "2") return "BIR11OsFizycznaDzialalnoscRolnicza";
  if (silo == "3") return "BIR11OsFizycznaDzialalnoscPozostala";
  if (silo == "4") return "BIR11OsFizycznaDzialalnoscSkreslonaDo20141108";
  return "BIR11OsFizycznaDzialalnoscCeidg";
}

RegisterSession::~RegisterSession() {
  if (session_id_.empty()) return;
  std::string ignored;
  call("Wyloguj", envelope(settings_.url, "Wyloguj", {{"ns:pIdentyfikatorSesji", session_id_}}), ignored);
}

std::optional<std::string> RegisterSession::call(std::string_view operation, const std::string& request,
                                                 std::string& result) {
  std::vector<std::string> headers{"Content-Type: application/soap+xml; charset=utf-8"};
  if (!session_id_.empty()) headers.push_back("sid: " + session_id_);
  const HttpAnswer answer = http_post(settings_.url, request, headers, settings_.limits);
  if (!answer.transferred) return kFailedToAsk + answer.error;
  if (answer.status != 200) return kFailedToAsk + std::string("status HTTP ") + std::to_string(answer.status);
  std::optional<std::string> text = soap_result(answer.body, operation);
  if (!text) return kFailedToAsk + std::string("odpowiedź nie jest odpowiedzią usługi rejestru.");
  result = std::move(*text);
  return std::nullopt;
}

std::optional<std::string> RegisterSession::log_in() {
  std::string id;
  if (auto failed =
          call("Zaloguj", envelope(settings_.url, "Zaloguj", {{"ns:pKluczUzytkownika", settings_.key}}), id))
    return failed;
  if (id.empty()) return std::string("Rejestr GUS nie przyjął klucza użytkownika (MIRLET_GUS_KEY).");
  session_id_ = id;
  return std::nullopt;
}

RegisterAnswer RegisterSession::search(IdentifierKind kind, std::string_view identifier) {
  RegisterAnswer out;
  if (session_id_.empty()) {
    if (auto failed = log_in()) {
      out.error = std::move(failed);
      return out;
    }
  }
  std::string result;
  const std::string request =
      envelope(settings_.url, "DaneSzukajPodmioty", {{search_element(kind), std::string(identifier)}},
               "pParametryWyszukiwania");
  if (auto failed = call("DaneSzukajPodmioty", request, result)) {
    out.error = std::move(failed);
    return out;
  }
  if (result.empty()) {
    // The register answers nothing at all for a session it no longer knows.
    session_id_.clear();
    out.error = "Rejestr GUS zakończył sesję. Spróbuj ponownie.";
    return out;
  }
  for (RegisterFields& record : result_records(result)) {
    if (record.contains("ErrorCode")) {
      out.notice = field(record, "ErrorMessagePl");
      continue;
    }
    out.entities.push_back(std::move(record));
  }
  if (out.entities.empty() && out.notice.empty())
    out.notice = "Nie znaleziono podmiotu dla podanych kryteriów wyszukiwania.";
  return out;
}

RegisterAnswer RegisterSession::full_report(const RegisterFields& found) {
  RegisterAnswer out;
  std::string result;
  const std::string request =
      envelope(settings_.url, "DanePobierzPelnyRaport",
               {{"ns:pRegon", field(found, "Regon")}, {"ns:pNazwaRaportu", report_name(found)}});
  if (auto failed = call("DanePobierzPelnyRaport", request, result)) {
    out.error = std::move(failed);
    return out;
  }
  for (RegisterFields& record : result_records(result)) {
    if (record.contains("ErrorCode")) {
      out.notice = field(record, "ErrorMessagePl");
      continue;
    }
    out.entities.push_back(std::move(record));
  }
  return out;
}

}  // namespace zorva_util
