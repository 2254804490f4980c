// The window "SendEMail" in the Qt host: both send buttons in its toolbar, the attachment button beside
// its field, a message typed and sent to the tests' own SMTP server, and its place kept in the settings.
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dane/library.h"
#include "dane/settings_file.h"
#include "keldox/email.h"
#include "mirlet_testing/mail_parse.h"
#include "mirlet_testing/smtp_server.h"
#include "qt_session.h"
#include "ui_qt/geometry_store.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_shown;

using QtEmailWindow = QtDictionarySession;

TEST_F(QtEmailWindow, BothSendButtonsShowTheTypedMessageIsSentAndThePlaceIsKept) {
  mirlet_testing::LocalSmtpServer server;
  dane::SettingsFile& ini = dane::settings_file();
  ini.set_value("Poczta", "Serwer", "127.0.0.1");
  ini.set_value("Poczta", "Port", std::to_string(server.port()));
  ini.set_value("Poczta", "Nadawca", "biuro@zaklad.pl");
  // The main program keeps places in the user's settings file; the session's host keeps them in memory.
  ui_qt::SettingsGeometryStore places;
  host_.set_geometry_store(&places);
  bool both_buttons = false, attachment_button = false;
  when_shown("SendEMail", [&](QWidget* w) {
    both_buttons =
        w->findChild<QAction*>("WYSLIJ") != nullptr && w->findChild<QAction*>("WYSLIJPROGRAMEM") != nullptr;
    attachment_button = w->findChild<QPushButton*>("WYBIERZZALACZNIK") != nullptr;
    if (auto* subject = child<QLineEdit>(w, "TEMAT")) {
      subject->setFocus();
      // Polish letters have no key of their own in the test's keyboard: the text is put as typed.
      subject->setText(QString::fromUtf8("Zamówienie — Łódź"));
      QTest::keyClick(subject, Qt::Key_Tab);
      settle();
    }
    save_png(w, "send_email");
    w->resize(640, 480);
    settle();
    if (auto* send = w->findChild<QAction*>("WYSLIJ")) send->trigger();
    settle();
    if (w->isVisible()) w->close();
  });
  EXPECT_EQ(keldox::SENDEMAIL("jan@firma.pl", "", "", "Treść wiadomości"), 1);
  host_.set_geometry_store(nullptr);
  EXPECT_TRUE(both_buttons);
  EXPECT_TRUE(attachment_button);
  ASSERT_TRUE(server.last_message());
  const auto mail = mirlet_testing::parse_mail(*server.last_message());
  EXPECT_EQ(mail.header("Subject"), "Zamówienie — Łódź");
  EXPECT_EQ(mail.body, "Treść wiadomości\n");
  const auto place = dane::settings_file().fetch_window("SendEMail");
  ASSERT_TRUE(place.has_value());
  EXPECT_EQ(place->width, 640);
}

}  // namespace
}  // namespace slownik
