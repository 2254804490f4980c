// The desktop's mail client through a stand-in xdg-email on PATH: the arguments it is given, each
// exactly as written (no shell ever sees them), and its exit status as the answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mail/mail.h"
#include "mirlet_testing/fake_mail_client.h"
#include "mirlet_testing/temp_folder.h"

namespace mail {
namespace {

TEST(DesktopClient, EveryPartOfTheMessageIsOneArgumentAsWritten) {
  mirlet_testing::FakeMailClient client;
  mirlet_testing::TempFolder folder("maildesk");
  const std::string attachment = folder.file("Oferta $(touch x) `id`.pdf");
  std::ofstream(attachment) << "pdf";
  const std::string body = "Dzień dobry;\n$(touch " + folder.file("wstrzyk") + ") `id` 'a' \"b\"\n";
  std::string error;
  ASSERT_EQ(SENDMAIL({}, kSendDesktopClient, "Jan <jan@firma.pl>; anna@firma.pl", "Oferta — żółć & ok", body,
                     "kopia@firma.pl, druga@firma.pl", {attachment, ""}, error),
            0)
      << error;
  EXPECT_EQ(client.arguments(),
            (std::vector<std::string>{"--utf8", "--cc", "kopia@firma.pl", "--cc", "druga@firma.pl",
                                      "--subject", "Oferta — żółć & ok", "--body", body, "--attach",
                                      attachment, "jan@firma.pl", "anna@firma.pl"}));
  EXPECT_FALSE(std::filesystem::exists(folder.file("wstrzyk")));
}

TEST(DesktopClient, EmptyPartsAreLeftOut) {
  mirlet_testing::FakeMailClient client;
  std::string error;
  ASSERT_EQ(SENDMAIL({}, kSendDesktopClient, "jan@firma.pl", "", "", "", {}, error), 0) << error;
  EXPECT_EQ(client.arguments(), (std::vector<std::string>{"--utf8", "jan@firma.pl"}));
}

TEST(DesktopClient, ANonZeroExitStatusOrAMissingProgramIsAFailure) {
  std::string error;
  {
    mirlet_testing::FakeMailClient client(3);
    EXPECT_NE(SENDMAIL({}, kSendDesktopClient, "jan@firma.pl", "T", "B", "", {}, error), 0);
    EXPECT_EQ(error, "program pocztowy (xdg-email) zakończył się kodem 3");
    EXPECT_TRUE(client.ran());
  }
  mirlet_testing::TempFolder empty("maildesk");
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  ::setenv("PATH", empty.path().c_str(), 1);
  const int answer = SENDMAIL({}, kSendDesktopClient, "jan@firma.pl", "T", "B", "", {}, error);
  ::setenv("PATH", saved.c_str(), 1);
  EXPECT_NE(answer, 0);
  EXPECT_EQ(error, "nie można uruchomić programu xdg-email: No such file or directory");
}

TEST(DesktopClient, TheSameChecksAsSmtpComeFirst) {
  mirlet_testing::FakeMailClient client;
  std::string error;
  EXPECT_NE(SENDMAIL({}, kSendDesktopClient, "jan@firma.pl\n--attach /etc/shadow", "T", "", "", {}, error),
            0);
  EXPECT_EQ(error, "adresat: lista adresów zawiera znak końca linii");
  EXPECT_NE(SENDMAIL({}, kSendDesktopClient, "-x@firma.pl", "T", "", "", {}, error), 0);
  EXPECT_EQ(error, "adresat: niepoprawny adres e-mail: -x@firma.pl");
  EXPECT_NE(SENDMAIL({}, kSendDesktopClient, "jan@firma.pl", "T", "", "", {"/nie/ma/pliku.pdf"}, error), 0);
  EXPECT_EQ(error, "nie można odczytać załącznika /nie/ma/pliku.pdf: No such file or directory");
  EXPECT_FALSE(client.ran());
}

}  // namespace
}  // namespace mail
