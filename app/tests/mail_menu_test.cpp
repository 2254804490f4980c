// The main program's way to e-mail: the settings set in their form, then a message typed in "SendEMail"
// and received by the tests' own SMTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include "app/menu.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "mirlet_testing/mail_parse.h"
#include "mirlet_testing/smtp_server.h"
#include "mirlet_testing/temp_folder.h"
#include "ui_script/script_host.h"

namespace app {
namespace {

TEST(MailMenu, SettingsThenAMessageTypedByTheUserReachTheServer) {
  mirlet_testing::TempFolder folder("mailmenu");
  mirlet_testing::LocalSmtpServer server;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  dane::GLO.PATH_INI = folder.file("okna3000001.ini");
  ui_script::ScriptHost host;
  dane::install_host(&host);
  host.form_set("SERWER", "127.0.0.1")
      .form_set("PORT", std::to_string(server.port()))
      .form_set("NADAWCA", "biuro@zaklad.pl")
      .form_ok()
      .form_set("ADRESAT", "jan@firma.pl")
      .form_set("TEMAT", "Zamówienie nr 5 — proszę o potwierdzenie")
      .form_set("TRESC", "Dzień dobry,\nproszę o potwierdzenie zamówienia.")
      .tool("WYSLIJ");
  const MenuEntry* settings = find_menu_entry("System > Ustawienia poczty");
  const MenuEntry* send = find_menu_entry("Narzędzia > Wyślij e-mail");
  ASSERT_NE(settings, nullptr);
  ASSERT_NE(send, nullptr);
  const MenuEntry* entries[] = {settings, send};
  EXPECT_EQ(run_menu_entries(entries), AfterEntry::Continue);
  dane::install_host(nullptr);
  dane::GLO.PATH_INI = "";
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  ASSERT_TRUE(server.last_message());
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_EQ(mail.header("To"), "jan@firma.pl");
  EXPECT_EQ(mail.header("Subject"), "Zamówienie nr 5 — proszę o potwierdzenie");
  EXPECT_EQ(mail.body, "Dzień dobry,\nproszę o potwierdzenie zamówienia.\n");
}

}  // namespace
}  // namespace app
