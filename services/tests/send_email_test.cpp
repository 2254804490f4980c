// SENDEMAIL end to end: the window through the scripted host, the message through the tests' own SMTP
// server on 127.0.0.1 or the stand-in xdg-email, and the settings form that writes what they read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "dane/globals.h"
#include "dane/host.h"
#include "dane/library.h"
#include "dane/settings_file.h"
#include "keldox/email.h"
#include "mail/mail.h"
#include "mirlet_testing/fake_mail_client.h"
#include "mirlet_testing/mail_parse.h"
#include "mirlet_testing/smtp_server.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/text.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using mirlet_testing::LocalSmtpServer;

class SendEmail : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::GLO.ID_UZYTKOWNIKA = 3000007;
    dane::GLO.TOOLTIPTYPE = 1;
    dane::GLO.PATH_INI = folder_.file("okna3000007.ini");
    dane::install_host(&host_);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::GLO.PATH_INI = "";
  }
  void configure(const LocalSmtpServer& server, std::string_view client = {}) {
    dane::SettingsFile& ini = dane::settings_file();
    ini.set_value("Poczta", "Serwer", "127.0.0.1");
    ini.set_value("Poczta", "Port", std::to_string(server.port()));
    ini.set_value("Poczta", "Nadawca", "biuro@zaklad.pl");
    ini.set_value("Poczta", "NazwaNadawcy", "Zakład Łódź");
    ini.set_value("Poczta", "LimitWysylki", "3");
    ini.set_value("Poczta", "DomyslnyKlient", client);
  }
  std::string file(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string failures() const {
    std::string out;
    for (const std::string& f : host_.failures()) out += f + "\n";
    return out;
  }
  std::vector<ui_script::Shown> shown_of(std::string_view kind) const {
    std::vector<ui_script::Shown> out;
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == kind) out.push_back(s);
    }
    return out;
  }

  mirlet_testing::TempFolder folder_{"sendemail"};
  ui_script::ScriptHost host_;
};

TEST_F(SendEmail, WithoutADefaultClientBothButtonsShowAndTheChosenAttachmentArrivesIntact) {
  LocalSmtpServer server;
  configure(server);
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(i % 251);
  const std::string attachment = file("Faktura nr 7 — Łódź.pdf", bytes);
  host_.form_press("WYBIERZZALACZNIK").choose_file(attachment).tool("WYSLIJ");
  const std::uint8_t sent = SENDEMAIL("Paweł Żak <pawel@firma.pl>", "Faktura — zażółć gęślą jaźń", "",
                                      "Dzień dobry,\nw załączeniu faktura.", "ksiegowosc@firma.pl");
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(sent, 1);
  const auto forms = shown_of("form");
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].text, "SendEMail");
  EXPECT_EQ(forms[0].buttons, (std::vector<std::string>{"Wyślij", "Wyślij programem pocztowym", "Zamknij"}));
  const auto dialogs = shown_of("file");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].title, "Wybierz plik załącznika");
  EXPECT_EQ(dialogs[0].text, "Wszystkie pliki|*.*");
  ASSERT_TRUE(server.last_message());
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_EQ(mail.defects, "");
  EXPECT_EQ(mail.header("From"), "Zakład Łódź <biuro@zaklad.pl>");
  EXPECT_EQ(mail.header("To"), "Paweł Żak <pawel@firma.pl>");
  EXPECT_EQ(mail.header("Cc"), "ksiegowosc@firma.pl");
  EXPECT_EQ(mail.header("Subject"), "Faktura — zażółć gęślą jaźń");
  EXPECT_EQ(mail.body, "Dzień dobry,\nw załączeniu faktura.\n");
  ASSERT_EQ(mail.attachments.size(), 1u);
  EXPECT_EQ(mail.attachments[0].name, "Faktura nr 7 — Łódź.pdf");
  EXPECT_EQ(mail.attachments[0].bytes, bytes);
}

TEST_F(SendEmail, ModernTooltipsNameTheFieldsAndTheAttachmentButton) {
  dane::GLO.TOOLTIPTYPE = 2;
  host_.hover("ADRESAT").hover("WYBIERZZALACZNIK").close_window();
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat"), 0);
  dane::GLO.TOOLTIPTYPE = 1;
  EXPECT_EQ(failures(), "");
  const auto tips = shown_of("tooltip");
  ASSERT_EQ(tips.size(), 2u);
  EXPECT_EQ(tips[0].text, "Do");
  EXPECT_EQ(tips[1].text, "Wybierz plik załącznika");
}

TEST_F(SendEmail, TheDesktopClientButtonHandsTheWorkingCopiesOver) {
  LocalSmtpServer server;
  configure(server, "Thunderbird");
  mirlet_testing::FakeMailClient client;
  const std::string attachment = file("raport z dnia.csv", "a;b\n");
  host_.tool("WYSLIJPROGRAMEM");
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Raport", attachment, "Treść", ""), 1);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(client.arguments(), (std::vector<std::string>{"--utf8", "--subject", "Raport", "--body", "Treść",
                                                          "--attach", attachment, "jan@firma.pl"}));
  EXPECT_TRUE(server.sessions().empty());
}

TEST_F(SendEmail, OutlookExpressAsTheDefaultSendsAtOnceThroughTheServer) {
  LocalSmtpServer server;
  configure(server, "  Outlook EXPRESS ");
  // No step at all: the window must not wait for the user.
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Od razu", "", "Bez załącznika"), 1);
  EXPECT_EQ(failures(), "");
  ASSERT_TRUE(server.last_message());
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_EQ(mail.header("Subject"), "Od razu");
  EXPECT_TRUE(mail.attachments.empty());
  EXPECT_EQ(mail.parts, (std::vector<std::string>{"text/plain\tquoted-printable"}));
}

TEST_F(SendEmail, MicrosoftOutlookAsTheDefaultSendsAtOnceThroughTheDesktopClient) {
  LocalSmtpServer server;
  configure(server, "Microsoft Outlook");
  mirlet_testing::FakeMailClient client;
  EXPECT_EQ(SENDEMAIL("jan@firma.pl; anna@firma.pl", "Oferta", "", "", "szef@firma.pl"), 1);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(client.arguments(), (std::vector<std::string>{"--utf8", "--cc", "szef@firma.pl", "--subject",
                                                          "Oferta", "jan@firma.pl", "anna@firma.pl"}));
  EXPECT_TRUE(server.sessions().empty());
}

TEST_F(SendEmail, AFailureShowsTheComponentsTextAfterTheFixedWordsAndAnswersZero) {
  LocalSmtpServer server([] {
    mirlet_testing::SmtpBehaviour b;
    b.refuse_recipient = "nieznany";
    return b;
  }());
  configure(server, "outlook express");
  host_.answer("OK", "MIRLET: Ostrzeżenie",
               "Wiadomość e-mail nie została wysyłania serwer poczty 127.0.0.1:" +
                   std::to_string(server.port()) + " nie przyjął wiadomości");
  EXPECT_EQ(SENDEMAIL("nieznany@firma.pl", "Temat"), 0);
  EXPECT_EQ(failures(), "");
  const auto boxes = shown_of("message");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("550"), std::string::npos) << boxes[0].text;
  EXPECT_FALSE(server.last_message());
}

TEST_F(SendEmail, AServerThatNeverAnswersEndsInTheWarningWithinTheLimit) {
  LocalSmtpServer server([] {
    mirlet_testing::SmtpBehaviour b;
    b.silent = true;
    return b;
  }());
  configure(server, "outlook express");
  dane::settings_file().set_value("Poczta", "LimitWysylki", "1");
  host_.answer("OK", "MIRLET: Ostrzeżenie",
               "Wiadomość e-mail nie została wysyłania serwer poczty 127.0.0.1:" +
                   std::to_string(server.port()) + " nie odpowiedział w wyznaczonym czasie");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat"), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(failures(), "");
}

TEST_F(SendEmail, AnInjectedHeaderAnUnreadableAttachmentOrAFailingClientAreWarnings) {
  LocalSmtpServer server;
  configure(server);
  host_.tool("WYSLIJ").answer(
      "OK", "MIRLET: Ostrzeżenie",
      "Wiadomość e-mail nie została wysyłania adresat: lista adresów zawiera znak końca linii");
  EXPECT_EQ(SENDEMAIL("jan@firma.pl\r\nBcc: szpieg@zly.pl", "Temat"), 0);
  host_.tool("WYSLIJ").answer("OK", "MIRLET: Ostrzeżenie",
                              "Wiadomość e-mail nie została wysyłania nie można odczytać załącznika " +
                                  folder_.file("brak.pdf") + ": No such file or directory");
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat", folder_.file("brak.pdf")), 0);
  {
    mirlet_testing::FakeMailClient client(2);
    host_.tool("WYSLIJPROGRAMEM")
        .answer("OK", "MIRLET: Ostrzeżenie",
                "Wiadomość e-mail nie została wysyłania program pocztowy (xdg-email) zakończył się kodem 2");
    EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat"), 0);
  }
  EXPECT_EQ(failures(), "");
  EXPECT_TRUE(server.sessions().empty());
}

TEST_F(SendEmail, APasswordFileOthersCanReadIsRefusedWithAClearWarning) {
  LocalSmtpServer server([] {
    mirlet_testing::SmtpBehaviour b;
    b.auth_mechanisms = "PLAIN";
    b.user = "biuro";
    b.password = "tajne";
    return b;
  }());
  configure(server, "outlook express");
  dane::settings_file().set_value("Poczta", "Uzytkownik", "biuro");
  std::string error;
  const std::string path = mail_password_file();
  EXPECT_EQ(path, folder_.file("poczta3000007.pwd"));
  ASSERT_TRUE(mail::write_password_file(path, "tajne", error)) << error;
  std::filesystem::permissions(path, std::filesystem::perms(0640));
  host_.answer("OK", "MIRLET: Ostrzeżenie",
               "Wiadomość e-mail nie została wysyłania plik hasła " + path +
                   " jest dostępny dla grupy lub innych użytkowników (uprawnienia 0640); wymagane 0600");
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat"), 0);
  EXPECT_TRUE(server.sessions().empty());
  std::filesystem::permissions(path, std::filesystem::perms(0600));
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Temat"), 1);
  EXPECT_EQ(failures(), "");
  ASSERT_EQ(server.sessions().size(), 1u);
  EXPECT_EQ(server.sessions()[0].auth_user, "biuro");
}

TEST_F(SendEmail, StartTlsWithTheUsersCertificatesAndPasswordSendsEncrypted) {
  ASSERT_TRUE(LocalSmtpServer::write_certificate(folder_.file("cert.pem"), folder_.file("key.pem")));
  mirlet_testing::SmtpBehaviour b;
  b.auth_mechanisms = "PLAIN LOGIN";
  b.user = "biuro";
  b.password = "tajne";
  b.starttls = true;
  b.certificate_file = folder_.file("cert.pem");
  b.key_file = folder_.file("key.pem");
  LocalSmtpServer server(b);
  configure(server, "Outlook Express");
  dane::SettingsFile& ini = dane::settings_file();
  ini.set_value("Poczta", "Szyfrowanie", "STARTTLS");
  ini.set_value("Poczta", "PlikCA", folder_.file("cert.pem"));
  ini.set_value("Poczta", "Uzytkownik", "biuro");
  std::string error;
  ASSERT_TRUE(mail::write_password_file(mail_password_file(), "tajne", error)) << error;
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", "Poufne"), 1);
  EXPECT_EQ(failures(), "");
  ASSERT_EQ(server.sessions().size(), 1u);
  EXPECT_TRUE(server.sessions()[0].encrypted);
  EXPECT_EQ(server.sessions()[0].auth_user, "biuro");
  EXPECT_TRUE(server.last_message().has_value());
}

TEST_F(SendEmail, TheWorkingCopiesKeepTheirWidthsAndTheWholeBodyReachesTheServer) {
  LocalSmtpServer server;
  configure(server, "outlook express");
  std::string subject, body;
  for (int i = 0; i < 60; ++i) subject += "Żółć ąę 12";  // 600 characters
  for (int i = 0; i < 600; ++i) body += "Gęśla jaź\n";   // 6000 characters
  EXPECT_EQ(SENDEMAIL("jan@firma.pl", subject, "", body), 1);
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_EQ(mail.header("Subject"), std::string(runtime::cut_to_width(subject, 500)));
  EXPECT_EQ(mail.body, std::string(runtime::cut_to_width(body, 5000)));
}

TEST_F(SendEmail, TheSettingsFormWritesTheSectionAndThePasswordForTheUserAlone) {
  host_.form_set("SERWER", "smtp.firma.pl")
      .form_set("PORT", "587")
      .form_set("SZYFROWANIE", "STARTTLS")
      .form_set("PLIKCA", "/etc/ssl/firma.pem")
      .form_set("UZYTKOWNIK", "biuro")
      .form_set("HASLO", "Tajne hasło")
      .form_set("NADAWCA", "biuro@firma.pl")
      .form_set("NAZWANADAWCY", "Biuro Łódź")
      .form_set("KLIENT", "Serwer SMTP (od razu)")
      .form_ok();
  USTAWIENIAPOCZTY();
  EXPECT_EQ(failures(), "");
  dane::SettingsFile& ini = dane::settings_file();
  EXPECT_EQ(ini.get_value("Poczta", "Serwer"), "smtp.firma.pl");
  EXPECT_EQ(ini.get_value("Poczta", "Port"), "587");
  EXPECT_EQ(ini.get_value("Poczta", "Szyfrowanie"), "STARTTLS");
  EXPECT_EQ(ini.get_value("Poczta", "Uzytkownik"), "biuro");
  EXPECT_EQ(ini.get_value("Poczta", "PlikCA"), "/etc/ssl/firma.pem");
  EXPECT_EQ(ini.get_value("Poczta", "Nadawca"), "biuro@firma.pl");
  EXPECT_EQ(ini.get_value("Poczta", "NazwaNadawcy"), "Biuro Łódź");
  EXPECT_EQ(ini.get_value("Poczta", "DomyslnyKlient"), "Outlook Express");
  EXPECT_EQ(ini.find_value("Poczta", "Haslo"), std::nullopt);
  EXPECT_EQ(mirlet_testing::read_file_text(dane::settings_file().path()).find("Tajne"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(mail_password_file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  std::string password, error;
  ASSERT_TRUE(mail::read_password_file(mail_password_file(), password, error)) << error;
  EXPECT_EQ(password, "Tajne hasło");

  // Opened again: the values shown, the password not; an empty password keeps the file.
  host_.form_set("KLIENT", "Program pocztowy (od razu)").form_ok();
  USTAWIENIAPOCZTY();
  EXPECT_EQ(failures(), "");
  const auto forms = shown_of("form");
  ASSERT_EQ(forms.size(), 2u);
  const auto& fields = forms[1].fields;
  EXPECT_NE(std::find(fields.begin(), fields.end(), "SERWER=smtp.firma.pl"), fields.end());
  EXPECT_EQ(ini.get_value("Poczta", "DomyslnyKlient"), "Microsoft Outlook");
  ASSERT_TRUE(mail::read_password_file(mail_password_file(), password, error)) << error;
  EXPECT_EQ(password, "Tajne hasło");
}

TEST_F(SendEmail, TheSettingsFormRefusesASenderThatIsNotOneAddress) {
  host_.form_set("NADAWCA", "biuro@firma.pl; drugi@firma.pl")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", "Niepoprawny adres nadawcy: biuro@firma.pl; drugi@firma.pl")
      .form_cancel();
  USTAWIENIAPOCZTY();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(dane::settings_file().find_value("Poczta", "Nadawca"), std::nullopt);
}

}  // namespace
}  // namespace keldox
