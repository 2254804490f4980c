// A client of the national business register's public web service (its SOAP interface, version 1.1):
// log in with the user key, search by NIP, REGON or KRS, fetch a firm's full report, log out.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "http_client.h"

namespace zorva_util {

// Where the register is asked, from the environment at each session: MIRLET_GUS_URL (the service's
// address) and MIRLET_GUS_KEY (the user key the register issued), MIRLET_GUS_CONNECT_TIMEOUT_MS (default
// 5000) and MIRLET_GUS_TIMEOUT_MS (default 15000, each request). Without a key the register's public test
// environment is used with its published test key, whose firms are not real ones.
struct RegisterSettings {
  std::string url;
  std::string key;
  bool test_environment = false;
  HttpLimits limits;
};
RegisterSettings register_settings_from_environment();

enum class IdentifierKind { nip, regon, krs };

// One answer of the register: its element names ("Regon", "Nazwa", "praw_adSiedzUlica_Nazwa") with their
// texts, as it gives them.
using RegisterFields = std::map<std::string, std::string>;

struct RegisterAnswer {
  std::optional<std::string> error;  // why the register could not be asked; empty when it answered
  std::vector<RegisterFields> entities;
  std::string notice;  // the register's own words when it found nothing
};

class RegisterSession {
 public:
  explicit RegisterSession(RegisterSettings settings) : settings_(std::move(settings)) {}
  ~RegisterSession();  // logs out of an open session
  RegisterSession(const RegisterSession&) = delete;
  RegisterSession& operator=(const RegisterSession&) = delete;

  const RegisterSettings& settings() const { return settings_; }

  // The firms with the identifier (digits only), logging in first when no session is open.
  RegisterAnswer search(IdentifierKind kind, std::string_view identifier);
  // The full report of a found firm (its kind of report chosen from the search's "Typ" and "SilosID").
  RegisterAnswer full_report(const RegisterFields& found);

 private:
  std::optional<std::string> log_in();
  // The text of the operation's result element, or the reason there is none.
  std::optional<std::string> call(std::string_view operation, const std::string& parameters,
                                  std::string& result);

  RegisterSettings settings_;
  std::string session_id_;
};

// The report the register keeps for a found firm: legal persons, their local units, natural persons by
// the register of their activity.
std::string report_name(const RegisterFields& found);
// The prefix of that report's element names ("praw_", "fiz_", "lokpraw_", "lokfiz_").
std::string report_prefix(const RegisterFields& found);

// The result text of a SOAP answer, whether it came alone or as the root part of an MTOM message;
// nullopt when the answer holds no envelope with that result.
std::optional<std::string> soap_result(std::string_view answer, std::string_view operation);

// The "dane" records of a result text (an XML document of its own), each as its elements' texts.
std::vector<RegisterFields> result_records(std::string_view result_xml);

}  // namespace zorva_util
