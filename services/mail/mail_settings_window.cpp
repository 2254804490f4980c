// The form "UstawieniaPoczty": the user's SMTP settings and default client in the settings file, the
// password in its own file for the user alone.
#include <string>
#include <vector>

#include "dane/form.h"
#include "dane/library.h"
#include "dane/settings_file.h"
#include "dane/window.h"
#include "keldox/email.h"
#include "keldox/messages.h"
#include "mail/mail.h"
#include "mail/mail_settings.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using namespace email_detail;

// The default client as the form offers it, and the name written for it (the names the sending compares).
struct ClientChoice {
  const char* label;
  const char* stored;
};
constexpr ClientChoice kClients[] = {
    {"Wybór przy wysyłce", ""},
    {"Serwer SMTP (od razu)", "Outlook Express"},
    {"Program pocztowy (od razu)", "Microsoft Outlook"},
};

class MailSettingsWindow final : public dane::FormWindow {
 public:
  MailSettingsWindow() : FormWindow("UstawieniaPoczty") {
    dane::SettingsFile& ini = dane::settings_file();
    auto get = [&](std::string_view key) { return std::string(runtime::trim(ini.get_value(kSection, key))); };
    add_text("SERWER", "Serwer SMTP", 100, get(kServer));
    add_field({"PORT", "Port (0: domyślny)", "@n_5", number_or_zero(get(kPort), 65535), true, false,
               dane::FieldKind::Number});
    add_field({"SZYFROWANIE",
               "Szyfrowanie",
               "@s10",
               security_text(security_from_text(get(kSecurity))),
               true,
               false,
               dane::FieldKind::Choice,
               {"brak", "STARTTLS", "SSL/TLS"}});
    add_text("PLIKCA", "Certyfikaty CA (puste: systemowe)", 255, get(kCaFile));
    add_text("UZYTKOWNIK", "Użytkownik", 100, get(kUser));
    dane::Field password{"HASLO", "Hasło (puste: bez zmiany)", "@s100", ""};
    password.password = true;
    add_field(std::move(password));
    add_text("NADAWCA", "Adres nadawcy", 100, get(kSender));
    add_text("NAZWANADAWCY", "Nazwa nadawcy", 100, get(kSenderName));
    std::vector<std::string> labels;
    std::string chosen = kClients[0].label;
    for (const ClientChoice& c : kClients) {
      labels.emplace_back(c.label);
      if (runtime::to_lower(get(kDefaultClient)) == runtime::to_lower(c.stored)) chosen = c.label;
    }
    add_field({"KLIENT", "Sposób wysyłki", "@s30", chosen, true, false, dane::FieldKind::Choice, labels});
    add_field({"LIMITPOLACZENIA", "Czas na połączenie (s)", "@n_4",
               number_or_zero(get(kConnectTimeout), 3600), true, false, dane::FieldKind::Number});
    add_field({"LIMITWYSYLKI", "Czas na wysłanie (s)", "@n_4", number_or_zero(get(kTotalTimeout), 3600), true,
               false, dane::FieldKind::Number});
    set_title("Ustawienia poczty");
    set_mode_titles("Ustawienia poczty", "Ustawienia poczty");
    set_help_topic("UstawieniaPoczty");
  }

 protected:
  std::optional<std::string> validate_record() override {
    const std::string sender(runtime::trim(value("NADAWCA")));
    std::vector<mail::Address> parsed;
    std::string error;
    if (!sender.empty() && (!mail::parse_addresses(sender, parsed, error) || parsed.size() != 1 ||
                            !parsed[0].display_name.empty())) {
      MSG_OSTRZEZENIE("Niepoprawny adres nadawcy: " + sender);
      return "NADAWCA";
    }
    return std::nullopt;
  }

  bool save() override {
    const std::string password = value("HASLO");
    if (!password.empty()) {
      std::string error;
      if (!mail::write_password_file(mail_password_file(), password, error)) {
        MSG_OSTRZEZENIE("Nie zapisano hasła: " + error);
        return false;
      }
    }
    std::string client;
    for (const ClientChoice& c : kClients) {
      if (value("KLIENT") == c.label) client = c.stored;
    }
    dane::SettingsFile& ini = dane::settings_file();
    const bool written = ini.set_value(kSection, kServer, runtime::trim(value("SERWER"))) &&
                         ini.set_value(kSection, kPort, whole(value("PORT"))) &&
                         ini.set_value(kSection, kSecurity, value("SZYFROWANIE")) &&
                         ini.set_value(kSection, kCaFile, runtime::trim(value("PLIKCA"))) &&
                         ini.set_value(kSection, kUser, runtime::trim(value("UZYTKOWNIK"))) &&
                         ini.set_value(kSection, kSender, runtime::trim(value("NADAWCA"))) &&
                         ini.set_value(kSection, kSenderName, runtime::trim(value("NAZWANADAWCY"))) &&
                         ini.set_value(kSection, kDefaultClient, client) &&
                         ini.set_value(kSection, kConnectTimeout, whole(value("LIMITPOLACZENIA"))) &&
                         ini.set_value(kSection, kTotalTimeout, whole(value("LIMITWYSYLKI")));
    if (!written) {
      MSG_OSTRZEZENIE("Nie zapisano ustawień poczty w pliku " + ini.path());
      return false;
    }
    return true;
  }

 private:
  void add_text(std::string_view name, std::string_view label, std::size_t width, std::string_view value) {
    add_field({std::string(name), std::string(label), "@s" + std::to_string(width),
               std::string(runtime::cut_to_width(value, width))});
  }

  static std::string number_or_zero(std::string_view text, double limit) {
    const double n = runtime::number_from_text(text);
    return n >= 0 && n <= limit ? std::to_string(static_cast<long>(n)) : "0";
  }
  static std::string whole(std::string_view text) {
    const double n = runtime::number_from_text(text);
    return n > 0 ? std::to_string(static_cast<long>(n)) : "0";
  }
};

}  // namespace

void USTAWIENIAPOCZTY() {
  MailSettingsWindow window;
  window.set_request(dane::Request::Change);
  dane::run_window(window);
}

}  // namespace keldox
