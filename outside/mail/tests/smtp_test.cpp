// Sending through the tests' own SMTP server on 127.0.0.1: the message as received and decoded, the
// sign-in, and every way a server or the caller's input can make the sending fail, none of them reported
// as sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "mail/mail.h"
#include "mirlet_testing/mail_parse.h"
#include "mirlet_testing/smtp_server.h"
#include "mirlet_testing/temp_folder.h"

namespace mail {
namespace {

using mirlet_testing::LocalSmtpServer;

template <typename F>
mirlet_testing::SmtpBehaviour behaviour(F set) {
  mirlet_testing::SmtpBehaviour b;
  set(b);
  return b;
}

class Smtp : public ::testing::Test {
 protected:
  SmtpSettings settings(const LocalSmtpServer& server) const {
    SmtpSettings s;
    s.server = "127.0.0.1";
    s.port = server.port();
    s.sender = "biuro@zaklad.pl";
    s.sender_name = "Zakład Łódź";
    s.connect_timeout_ms = 2000;
    s.total_timeout_ms = 5000;
    return s;
  }
  std::string file(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string password_file(const std::string& password) {
    std::string error;
    EXPECT_TRUE(write_password_file(folder_.file("smtp.pwd"), password, error)) << error;
    return folder_.file("smtp.pwd");
  }
  int send(const SmtpSettings& s, std::string_view to, std::string_view subject = "Temat",
           std::vector<std::string> attachments = {}, std::string_view cc = {},
           std::string_view body = "Treść") {
    return SENDMAIL(s, kSendSmtp, to, subject, body, cc, attachments, error_);
  }

  mirlet_testing::TempFolder folder_{"mailsmtp"};
  std::string error_;
};

TEST_F(Smtp, TheServerReceivesEveryHeaderThePolishTextsAndTheAttachmentIntact) {
  LocalSmtpServer server;
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 7919) & 0xff);
  const std::string attachment = file("Wezwanie do zapłaty ŻÓŁĆ.pdf", bytes);
  const std::string body = "Szanowni Państwo,\n.\n..kropki\nw załączeniu wezwanie.\nPozdrawiam\n";
  ASSERT_EQ(SENDMAIL(settings(server), kSendSmtp, "Paweł Żak <pawel@firma.pl>; anna@firma.pl",
                     "Wezwanie do zapłaty — należność ąćęłńóśźż", body, "ksiegowosc@firma.pl", {attachment},
                     error_),
            0)
      << error_;
  const auto sessions = server.sessions();
  ASSERT_EQ(sessions.size(), 1u);
  EXPECT_EQ(sessions[0].mail_from, "<biuro@zaklad.pl>");
  EXPECT_EQ(sessions[0].recipients,
            (std::vector<std::string>{"<pawel@firma.pl>", "<anna@firma.pl>", "<ksiegowosc@firma.pl>"}));
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  ASSERT_TRUE(mail.parsed);
  EXPECT_EQ(mail.defects, "");
  EXPECT_EQ(mail.header("From"), "Zakład Łódź <biuro@zaklad.pl>");
  EXPECT_EQ(mail.header("To"), "Paweł Żak <pawel@firma.pl>, anna@firma.pl");
  EXPECT_EQ(mail.header("Cc"), "ksiegowosc@firma.pl");
  EXPECT_EQ(mail.header("Subject"), "Wezwanie do zapłaty — należność ąćęłńóśźż");
  EXPECT_EQ(mail.header("MIME-Version"), "1.0");
  EXPECT_NE(mail.header("Date"), "<none>");
  EXPECT_TRUE(mail.header("Message-ID").ends_with("@zaklad.pl>")) << mail.header("Message-ID");
  EXPECT_EQ(mail.count("Bcc"), 0);
  EXPECT_EQ(mail.body, body);
  ASSERT_EQ(mail.attachments.size(), 1u);
  EXPECT_EQ(mail.attachments[0].name, "Wezwanie do zapłaty ŻÓŁĆ.pdf");
  EXPECT_EQ(mail.attachments[0].bytes, bytes);
}

TEST_F(Smtp, AnOmittedAttachmentSendsTheTextAlone) {
  LocalSmtpServer server;
  ASSERT_EQ(send(settings(server), "jan@firma.pl", "Bez załącznika", {""}), 0) << error_;
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_TRUE(mail.attachments.empty());
  EXPECT_EQ(mail.parts, (std::vector<std::string>{"text/plain\tquoted-printable"}));
  EXPECT_EQ(mail.body, "Treść\n");
}

TEST_F(Smtp, SignsInWithPlainOrLoginFromTheUsersPasswordFile) {
  for (const char* mechanisms : {"PLAIN LOGIN", "LOGIN"}) {
    LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) {
      b.auth_mechanisms = mechanisms;
      b.user = "biuro";
      b.password = "Hasło#1";
    }));
    SmtpSettings s = settings(server);
    s.user = "biuro";
    s.password_file = password_file("Hasło#1");
    ASSERT_EQ(send(s, "jan@firma.pl"), 0) << mechanisms << ": " << error_;
    ASSERT_EQ(server.sessions().size(), 1u);
    EXPECT_EQ(server.sessions()[0].auth_user, "biuro");
    EXPECT_TRUE(server.last_message().has_value());
  }
}

TEST_F(Smtp, AWrongPasswordIsAFailureWithTheServersRefusal) {
  LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) {
    b.auth_mechanisms = "PLAIN";
    b.user = "biuro";
    b.password = "dobre";
  }));
  SmtpSettings s = settings(server);
  s.user = "biuro";
  s.password_file = password_file("złe");
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.starts_with("serwer poczty 127.0.0.1:" + std::to_string(server.port()) +
                                 " nie przyjął użytkownika lub hasła"))
      << error_;
  EXPECT_FALSE(server.last_message().has_value());
}

TEST_F(Smtp, APasswordFileOthersMayReadIsRefusedBeforeTheServerIsReached) {
  LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) {
    b.auth_mechanisms = "PLAIN";
    b.user = "biuro";
    b.password = "x";
  }));
  SmtpSettings s = settings(server);
  s.user = "biuro";
  s.password_file = password_file("x");
  std::filesystem::permissions(s.password_file, std::filesystem::perms(0644));
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_EQ(error_, "plik hasła " + s.password_file +
                        " jest dostępny dla grupy lub innych użytkowników (uprawnienia 0644); wymagane 0600");
  EXPECT_TRUE(server.sessions().empty());
}

TEST_F(Smtp, ARefusedRecipientFailsTheWholeMessage) {
  LocalSmtpServer server(
      behaviour([&](mirlet_testing::SmtpBehaviour& b) { b.refuse_recipient = "nieznany"; }));
  EXPECT_NE(send(settings(server), "jan@firma.pl; nieznany@firma.pl"), 0);
  EXPECT_NE(error_.find("550"), std::string::npos) << error_;
  EXPECT_FALSE(server.last_message().has_value());
  const auto sessions = server.sessions();
  ASSERT_EQ(sessions.size(), 1u);
  for (const std::string& c : sessions[0].commands) EXPECT_NE(c, "DATA");
}

TEST_F(Smtp, RefusedDataOrARefusedMessageIsAFailure) {
  {
    LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) { b.refuse_data = true; }));
    EXPECT_NE(send(settings(server), "jan@firma.pl"), 0);
    EXPECT_NE(error_.find("554"), std::string::npos) << error_;
  }
  {
    LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) { b.refuse_message = true; }));
    EXPECT_NE(send(settings(server), "jan@firma.pl"), 0);
    EXPECT_NE(error_.find("554"), std::string::npos) << error_;
    EXPECT_FALSE(server.last_message().has_value());
    EXPECT_FALSE(server.sessions().at(0).data.empty());
  }
}

TEST_F(Smtp, AConnectionClosedMidConversationIsAFailure) {
  for (const bool during_data : {false, true}) {
    LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) {
      b.close_after_mail = !during_data;
      b.close_during_data = during_data;
    }));
    EXPECT_NE(send(settings(server), "jan@firma.pl"), 0) << during_data;
    EXPECT_TRUE(error_.starts_with("serwer poczty 127.0.0.1:")) << error_;
    EXPECT_FALSE(server.last_message().has_value());
  }
}

TEST_F(Smtp, AServerThatNeverAnswersEndsWithinTheTotalTimeout) {
  LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) { b.silent = true; }));
  SmtpSettings s = settings(server);
  s.total_timeout_ms = 800;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(4));
  EXPECT_TRUE(error_.starts_with("serwer poczty 127.0.0.1:" + std::to_string(server.port()) +
                                 " nie odpowiedział w wyznaczonym czasie"))
      << error_;
}

TEST_F(Smtp, NoServerListeningIsAFailure) {
  int port = 0;
  {
    LocalSmtpServer gone;
    port = gone.port();
  }
  SmtpSettings s;
  s.server = "127.0.0.1";
  s.port = port;
  s.sender = "biuro@zaklad.pl";
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.starts_with("nie można połączyć się z serwerem poczty 127.0.0.1:")) << error_;
}

TEST_F(Smtp, StartTlsRequiredButNotOfferedSendsNeitherCredentialsNorTheMessage) {
  LocalSmtpServer server(behaviour([&](mirlet_testing::SmtpBehaviour& b) {
    b.auth_mechanisms = "PLAIN";
    b.user = "biuro";
    b.password = "x";
  }));
  SmtpSettings s = settings(server);
  s.security = Security::StartTls;
  s.user = "biuro";
  s.password_file = password_file("x");
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.find("STARTTLS") != std::string::npos) << error_;
  const auto sessions = server.sessions();
  ASSERT_EQ(sessions.size(), 1u);
  for (const std::string& c : sessions[0].commands) {
    EXPECT_FALSE(c.starts_with("AUTH") || c.starts_with("MAIL")) << c;
  }
}

class SmtpTls : public Smtp {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LocalSmtpServer::write_certificate(folder_.file("cert.pem"), folder_.file("key.pem")));
  }
  mirlet_testing::SmtpBehaviour tls(bool implicit) {
    mirlet_testing::SmtpBehaviour b;
    b.auth_mechanisms = "PLAIN";
    b.user = "biuro";
    b.password = "tajne";
    b.starttls = !implicit;
    b.implicit_tls = implicit;
    b.certificate_file = folder_.file("cert.pem");
    b.key_file = folder_.file("key.pem");
    return b;
  }
  SmtpSettings tls_settings(const LocalSmtpServer& server, Security security) {
    SmtpSettings s = settings(server);
    s.security = security;
    s.user = "biuro";
    s.password_file = password_file("tajne");
    s.ca_file = folder_.file("cert.pem");
    return s;
  }
};

TEST_F(SmtpTls, StartTlsEncryptsBeforeTheCredentialsAndTheMessage) {
  LocalSmtpServer server(tls(false));
  ASSERT_EQ(send(tls_settings(server, Security::StartTls), "jan@firma.pl", "Szyfrowany — żółw"), 0) << error_;
  const auto sessions = server.sessions();
  ASSERT_EQ(sessions.size(), 1u);
  EXPECT_TRUE(sessions[0].encrypted);
  EXPECT_EQ(sessions[0].auth_user, "biuro");
  const auto& c = sessions[0].commands;
  const auto starttls = std::find(c.begin(), c.end(), "STARTTLS");
  ASSERT_NE(starttls, c.end());
  for (auto i = c.begin(); i != starttls; ++i) EXPECT_FALSE(i->starts_with("AUTH")) << *i;
  EXPECT_EQ(mirlet_testing::parse_mail(*server.last_message()).header("Subject"), "Szyfrowany — żółw");
}

TEST_F(SmtpTls, SslTlsIsEncryptedFromTheFirstByte) {
  LocalSmtpServer server(tls(true));
  ASSERT_EQ(send(tls_settings(server, Security::Tls), "jan@firma.pl"), 0) << error_;
  ASSERT_EQ(server.sessions().size(), 1u);
  EXPECT_TRUE(server.sessions()[0].encrypted);
  EXPECT_TRUE(server.last_message().has_value());
}

TEST_F(SmtpTls, ACertificateNobodyVouchesForIsRefusedBeforeTheCredentials) {
  LocalSmtpServer server(tls(false));
  SmtpSettings s = tls_settings(server, Security::StartTls);
  s.ca_file = folder_.file("nobody.pem");
  ASSERT_TRUE(LocalSmtpServer::write_certificate(s.ca_file, folder_.file("nobody.key")));
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.starts_with("nie można potwierdzić certyfikatu serwera poczty 127.0.0.1:")) << error_;
  const auto sessions = server.sessions();
  ASSERT_EQ(sessions.size(), 1u);
  EXPECT_EQ(sessions[0].auth_user, "");
  EXPECT_FALSE(server.last_message().has_value());
}

TEST_F(Smtp, SslTlsAgainstAPlainServerFailsAndNothingIsSent) {
  LocalSmtpServer server;
  SmtpSettings s = settings(server);
  s.security = Security::Tls;
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.starts_with("nie można nawiązać szyfrowanego połączenia z serwerem poczty 127.0.0.1:" +
                                 std::to_string(server.port())))
      << error_;
  EXPECT_FALSE(server.last_message().has_value());
}

TEST_F(Smtp, HeaderInjectionAndUnreadableAttachmentsStopBeforeTheServerIsReached) {
  LocalSmtpServer server;
  const SmtpSettings s = settings(server);
  EXPECT_NE(send(s, "jan@firma.pl\r\nBcc: szpieg@zly.pl"), 0);
  EXPECT_EQ(error_, "adresat: lista adresów zawiera znak końca linii");
  EXPECT_NE(send(s, "jan@firma.pl", "Temat", {}, "a@b.pl\nBcc: szpieg@zly.pl"), 0);
  EXPECT_EQ(error_, "kopia: lista adresów zawiera znak końca linii");
  EXPECT_NE(send(s, "jan@firma.pl", "Temat\r\nBcc: szpieg@zly.pl"), 0);
  EXPECT_EQ(error_, "temat zawiera znak końca linii");
  EXPECT_NE(send(s, "jan@firma.pl", "Temat", {folder_.file("nie-ma.pdf")}), 0);
  EXPECT_EQ(error_,
            "nie można odczytać załącznika " + folder_.file("nie-ma.pdf") + ": No such file or directory");
  EXPECT_NE(send(s, "jan@firma.pl", "Temat", {folder_.path().string()}), 0);
  EXPECT_EQ(error_, "nie można odczytać załącznika " + folder_.path().string() + ": to jest folder");
  EXPECT_NE(send(s, " ; "), 0);
  EXPECT_EQ(error_, "nie podano adresata");
  EXPECT_TRUE(server.sessions().empty());
}

TEST_F(Smtp, MissingOrDamagedSettingsAreNamed) {
  LocalSmtpServer server;
  SmtpSettings s = settings(server);
  s.server = "";
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_EQ(error_, "nie ustawiono serwera poczty");
  s.server = "smtp.firma.pl/../x";
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_EQ(error_, "niepoprawna nazwa serwera poczty: smtp.firma.pl/../x");
  s = settings(server);
  s.sender = "";
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_EQ(error_, "nie ustawiono adresu nadawcy");
  s.sender = "biuro@zaklad.pl\r\nBcc: x@y.pl";
  EXPECT_NE(send(s, "jan@firma.pl"), 0);
  EXPECT_TRUE(error_.starts_with("niepoprawny adres nadawcy")) << error_;
  EXPECT_NE(SENDMAIL(settings(server), 9, "jan@firma.pl", "", "", "", {}, error_), 0);
  EXPECT_EQ(error_, "nieznany sposób wysyłki 9");
  EXPECT_TRUE(server.sessions().empty());
  EXPECT_EQ(default_port(Security::None), 25);
  EXPECT_EQ(default_port(Security::StartTls), 587);
  EXPECT_EQ(default_port(Security::Tls), 465);
}

}  // namespace
}  // namespace mail
