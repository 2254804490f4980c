// The execution log window on the demo database: only the user's rows of the context, the skipped
// documents' variant, the export button.
#include <gtest/gtest.h>

#include <filesystem>

#include "dane/globals.h"
#include "demo_session.h"
#include "keldox/execution_log.h"
#include "keldox/permissions.h"
#include "mirlet_testing/temp_folder.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

std::vector<std::string> shown_rows(dane::BrowseWindow& w) {
  w.reset();
  std::vector<std::string> out;
  for (const dane::Row& r : w.rows()) out.push_back(r[3] + " | " + r[4]);
  return out;
}

TEST(ExecutionLog, ShowsOnlyTheUsersRowsOfTheContextInTheirOrder) {
  testing::DemoSession session(1, kAdministratorId);
  ASSERT_TRUE(session.ok()) << session.error();
  auto skipped = execution_log_window("SzabDokSer");
  EXPECT_EQ(skipped->title(), "Informacje o dokumentach pominiętych");
  EXPECT_EQ(skipped->header_text(3), "Szablon / Kontrahent");
  EXPECT_EQ(skipped->header_text(4), "Uwagi");
  EXPECT_EQ(
      shown_rows(*skipped),
      (std::vector<std::string>{"Abonament serwisowy / Hurtownia Żuraw | Kontrahent ma zablokowaną sprzedaż",
                                "Najem lokalu / Piekarnia Kłos | Brak ceny artykułu w cenniku"}));
  auto other = execution_log_window("PrzeliczenieCen");
  EXPECT_EQ(other->title(), "Informacje");
  EXPECT_EQ(other->header_text(3), "Opis 1");
  EXPECT_EQ(shown_rows(*other), std::vector<std::string>{"Artykuł 101 | Cena zakupu równa zero"});
  EXPECT_TRUE(shown_rows(*execution_log_window("Brak'; drop table LOG_WYKONANIA --")).empty());
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  EXPECT_EQ(shown_rows(*execution_log_window("SzabDokSer")),
            std::vector<std::string>{"Najem lokalu / Sklep Ćma | Przekroczony limit kredytu"});
}

TEST(ExecutionLog, TheExportButtonWritesTheListAndZamknijCloses) {
  testing::DemoSession session(1, kAdministratorId);
  ASSERT_TRUE(session.ok()) << session.error();
  mirlet_testing::TempFolder folder("execlog");
  ui_script::ScriptHost host;
  dane::install_host(&host);
  const std::string saved = dane::GLO.LOCALPATH.str();
  dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
  const std::string path = folder.file("log.xls");
  host.browse_action("EksportDoExcela").choose_file(path).answer("Nie", "", "Plik eksportu");
  host.browse_action("Zamknij");
  LOG_WYKONANIA("SzabDokSer");
  dane::GLO.LOCALPATH = saved;
  dane::install_host(nullptr);
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(std::filesystem::exists(path));
  bool browse_seen = false;
  for (const ui_script::Shown& s : host.shown()) {
    if (s.kind != "browse") continue;
    browse_seen = true;
    EXPECT_EQ(s.text, "Log_wykonania");
    EXPECT_EQ(s.headers, (std::vector<std::string>{"Szablon / Kontrahent", "Uwagi"}));
    EXPECT_EQ(s.rows.size(), 2u);
  }
  EXPECT_TRUE(browse_seen);
}

}  // namespace
}  // namespace keldox
