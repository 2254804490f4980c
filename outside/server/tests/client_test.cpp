#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fixture.h"
#include "server/server.h"

namespace server {
namespace {

// The application's statements, T-SQL as composed, through channels on a demo database.
class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.status().ok()) << demo_.status().text;
    ASSERT_TRUE(connect("sqlite:" + demo_.path(), client_).ok());
    ASSERT_TRUE(client_->open(db::Channel::VAX).ok());
  }

  std::string first(std::string_view statement) {
    const db::Status s = client_->send(db::Channel::VAX, statement);
    if (!s.ok()) return "error " + s.text;
    if (!client_->next(db::Channel::VAX).ok()) return "<none>";
    return std::string(client_->field(db::Channel::VAX, 1));
  }

  testing::DemoDb demo_;
  std::unique_ptr<db::Client> client_;
};

TEST_F(ClientTest, StartUpStatements) {
  ASSERT_TRUE(client_->send(db::Channel::VAX, "Call JL_RejestrujKonto (3000002,'')").ok());
  EXPECT_EQ(first("select hostprocess from uzytkownik where id_uzytkownika=3000002"),
            std::to_string(getpid()));
  EXPECT_EQ(
      first(
          "select wartosc from INTERUZYTKOWNIKPOZYCJA with (nolock) where id_pozycji=503 and id_firmy=0 and "
          "id_uzytkownika=3000002"),
      "1");
  EXPECT_EQ(first("select START from ZORVADBSTATE where PRGKOD=3"), "0");
  EXPECT_EQ(first("select isnull(PARAMETRY,'') from TRYB_PRACY where prgkod=3"), "");
  EXPECT_EQ(first("select sym_waluty from waluty where numer=1"), "PLN");
  ASSERT_TRUE(client_->send(db::Channel::VAX, "call AP_ZapiszParametrySystemu(3,20261207.0000)").ok());
  EXPECT_EQ(first("select count(*) from parametry_systemu where rodzaj_wersji=3"), "1");
}

TEST_F(ClientTest, LockFailureTextReachesTheCaller) {
  ASSERT_TRUE(client_->send(db::Channel::VAX, "call APW_KartotekaSemaforUstaw('banki',1,3000001,2)").ok());
  const db::Status taken =
      client_->send(db::Channel::VAX, "call APW_KartotekaSemaforUstaw('banki',1,3000002,2)");
  EXPECT_EQ(taken.code, db::kStatementFailed);
  EXPECT_NE(taken.text.find("Lock"), std::string::npos) << taken.text;
  EXPECT_FALSE(taken.transient());
}

TEST_F(ClientTest, RetCodeBindingAndProcedureRows) {
  ASSERT_TRUE(client_->send(db::Channel::VAX, "Call JL_Zaznacz (3000002,120,7)").ok());
  ASSERT_TRUE(
      client_->send(db::Channel::VAX, "&RetCode = call RM_Zachowaj_ZORVA_zaznaczone(1,3000002,120,0)").ok());
  EXPECT_EQ(client_->ret_code(db::Channel::VAX), 1);
  ASSERT_TRUE(
      client_->send(db::Channel::VAX, "&RetCode = call RM_Przywroc_ZORVA_zaznaczone(1,3000002,121,0)").ok());
  EXPECT_EQ(client_->ret_code(db::Channel::VAX), 0);
  ASSERT_TRUE(client_->send(db::Channel::VAX, "call AP_UstawDomMagazynKasaDlaFirmy(1,3000002)").ok());
  ASSERT_TRUE(client_->next(db::Channel::VAX).ok());
  EXPECT_EQ(client_->field(db::Channel::VAX, 1), "1");
  EXPECT_EQ(client_->field(db::Channel::VAX, 2), "1");
}

TEST_F(ClientTest, ConditionalBlockRunsOnce) {
  const std::string insert =
      "if not exists (select 1 from kraje where sym_kraju='FR') begin insert into "
      "kraje(sym_kraju,nazwa_kraju) "
      "values ('FR','Francja') end";
  ASSERT_TRUE(client_->send(db::Channel::VAX, insert).ok());
  ASSERT_TRUE(client_->send(db::Channel::VAX, insert).ok());
  EXPECT_EQ(first("select count(*) from kraje where sym_kraju='fr'"), "1");
}

TEST_F(ClientTest, RefusedStatementIsError90AndRunsNothing) {
  const db::Status s =
      client_->send(db::Channel::VAX, "select 1; drop table waluty; merge into x using y on 1=1");
  EXPECT_EQ(s.code, db::kStatementFailed);
  EXPECT_EQ(first("select count(*) from waluty where numer=1"), "1");
}

TEST_F(ClientTest, AlteredViewIsReplacedOnlyWhenItWorks) {
  ASSERT_TRUE(client_->send(db::Channel::VAX, "Update Artykul set pole1='zielony'").ok());
  ASSERT_TRUE(client_
                  ->send(db::Channel::VAX,
                         "insert into artykul(id_artykulu, nazwa, pole1) values (1, 'Łopata', 'zielony')")
                  .ok());
  const db::Status altered = client_->send(db::Channel::VAX,
                                           " alter  VIEW PD_Artykul(id,Kolor)  AS  SELECT "
                                           "id_artykulu,isnull(dbo.AP_FUNC_PoleDodatkowe('Artykul',1,"
                                           "id_artykulu),' ') FROM Artykul");
  ASSERT_TRUE(altered.ok()) << altered.text;
  EXPECT_EQ(first("select Kolor from PD_Artykul where id=1"), "zielony");
  const db::Status broken = client_->send(
      db::Channel::VAX, " alter  VIEW PD_Artykul(id,Kolor)  AS  SELECT id_artykulu,nie_ma FROM Artykul");
  EXPECT_EQ(broken.code, db::kStatementFailed);
  EXPECT_EQ(first("select Kolor from PD_Artykul where id=1"), "zielony");
}

TEST_F(ClientTest, ThreadsShareTheDatabaseFile) {
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      client_->open(db::Channel::VAX1);
      for (int n = 0; n < 50; ++n) {
        const db::Status s =
            client_->send(db::Channel::VAX1, "insert into zaznaczone (id_sesji,uzycie,id) values (" +
                                                 std::to_string(t) + ",999," + std::to_string(n) + ")");
        if (!s.ok()) ++failures;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(first("select count(*) from zaznaczone where uzycie=999"), "200");
}

}  // namespace
}  // namespace server
