// The session start's loaders in their order on the demo database, and what stops the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/lists_access.h"
#include "dane/lists_money.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"
#include "db/test_clients.h"
#include "keldox/config_parameters.h"
#include "start/session_lists.h"
#include "start_demo.h"

namespace start {
namespace {

class SessionStart : public testing::StartDemo {};

TEST_F(SessionStart, LimitedUsersSessionLoadsEveryList) {
  dane::GLO.ID_UZYTKOWNIKA = testing::kLimitedUser;
  EXPECT_TRUE(load_session_lists());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(dane::GLO.ID_FIRMY, 1) << "from the user's stored company";
  EXPECT_EQ(dane::GLO.ID_MAGAZYNU, 1);
  EXPECT_EQ(keldox::POBIERZPARAMKONF("OdswiezKartot", "u"), "Nie");
  EXPECT_FALSE(dane::ACCESSQ.empty());
  EXPECT_EQ(dane::OPERACJE_DODATKOWE.count(), 1u);
  EXPECT_EQ(dane::KOL_MAGAZYNOW.count(), 3u);
  EXPECT_FALSE(dane::GLO.KOL_KLASYFIKATOROW.empty());
  EXPECT_FALSE(dane::VATQ.empty());
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "a.id_typu in (3,7)");
  EXPECT_EQ(dane::GLO.TABLICAMIESIECY[1].str(), "luty");
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 0);
}

TEST_F(SessionStart, UserWithoutAGroupInHisCompanyGoesOnWithoutACompany) {
  dane::GLO.ID_UZYTKOWNIKA = testing::kUserWithoutGroup;
  EXPECT_TRUE(load_session_lists());
  EXPECT_EQ(dane::GLO.ID_FIRMY, 0);
  EXPECT_TRUE(dane::ACCESSQ.empty());
  EXPECT_TRUE(dane::KOL_MAGAZYNOW.empty());
  EXPECT_EQ(dane::FILTRYDOSTEPU.DOKUMENTY_MAGAZYNOWE.str(), "1=0");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SessionStart, RefusedAccessConditionQueryStopsTheSession) {
  const std::string types =
      "select id_typu from typ_dokumentu_magazynowego  with (nolock) where id_firmy=1 and rodzaj not in "
      "('Zamówienie','Zlecenie')";
  std::size_t number = 0;
  {
    db::RecordingClient recording(client());
    dane::install_database(&recording);
    dane::GLO.ID_UZYTKOWNIKA = testing::kLimitedUser;
    ASSERT_TRUE(load_session_lists());
    const auto sent = recording.statements();
    const auto at = std::find(sent.begin(), sent.end(), types);
    ASSERT_NE(at, sent.end());
    number = static_cast<std::size_t>(at - sent.begin()) + 1;
  }
  dane::reset_session();
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.OWNERNAME = connection_text();
  db::FaultClient faults(client());
  faults.fail_statement(number, db::Status::statement_failed("Deadlock victim."));
  dane::install_database(&faults);
  dane::GLO.ID_UZYTKOWNIKA = testing::kLimitedUser;
  EXPECT_FALSE(load_session_lists());
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 1);
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"Deadlock victim."});
  EXPECT_EQ(dane::GLO.TABLICAMIESIECY[0].str(), "") << "nothing loads after the stop";
}

}  // namespace
}  // namespace start
