#include "keldox/action_log.h"

#include <gtest/gtest.h>

#include <limits>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/test_clients.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox {
namespace {

TEST(Identifiers, AreWrittenAsPlainWholeNumbers) {
  EXPECT_EQ(sql_id(0), "0");
  EXPECT_EQ(sql_id(-0.0), "0");
  EXPECT_EQ(sql_id(3000001), "3000001");
  EXPECT_EQ(sql_id(12345678901.0), "12345678901");
  EXPECT_EQ(sql_id(-7), "-7");
  EXPECT_EQ(sql_id(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(ActionLog, StatementAsComposed) {
  db::ScriptedClient scripted;
  db::RecordingClient recording(scripted);
  dane::install_database(&recording);
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_MAGAZYNU = 2;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  ZAPISZDOLOGU(0, "SYSTEM  ", 4, "Otwarcie listy dok. niezatwierdzonych   ");
  ZAPISZDOLOGU(15, "DOK'UMENT", 1, "Faktura 'pilna'");
  dane::install_database(nullptr);
  EXPECT_EQ(recording.statements(),
            (std::vector<std::string>{
                "call AP_ZapiszDoLogu(1,2,3000001,0,'SYSTEM',4,'Otwarcie listy dok. niezatwierdzonych',3)",
                "call AP_ZapiszDoLogu(1,2,3000001,15,'DOK''UMENT',1,'Faktura \"pilna\"',3)"}));
}

TEST(ActionLog, EntryLandsInTheLogTable) {
  const mirlet_testing::TempFolder folder("mirlet-log");
  const std::string file = folder.file("demo.db");
  ASSERT_TRUE(server::make_demo_database(file, server::DemoSize::Demo).ok());
  std::unique_ptr<db::Client> client;
  ASSERT_TRUE(server::connect("sqlite:" + file, client).ok());
  dane::install_database(client.get());
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  const std::string before = FUNCSQL("select count(1) from LOG_AKCJI");
  const std::string before_system = FUNCSQL(
      "select count(1) from LOG_AKCJI where RODZAJ_OBIEKTU='SYSTEM' and ID_OBIEKTU=0 and "
      "ID_UZYTKOWNIKA=3000001");
  ZAPISZDOLOGU(0, "SYSTEM", 1, "Skrypt 'aktualizacja'");
  EXPECT_EQ(std::stoi(FUNCSQL("select count(1) from LOG_AKCJI")), std::stoi(before) + 1);
  EXPECT_EQ(FUNCSQL("select count(1) from LOG_AKCJI where RODZAJ_OBIEKTU='SYSTEM' and ID_OBIEKTU=0 "
                    "and ID_UZYTKOWNIKA=3000001"),
            std::to_string(std::stoi(before_system) + 1));
  dane::install_database(nullptr);
}

}  // namespace
}  // namespace keldox
