// Record access on a fresh demo database: key order, fetch, writes, threads and a second process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "dane/error_object.h"
#include "dane/library.h"
#include "dane/table.h"
#include "db/channel.h"
#include "demo_session.h"

namespace dane {
namespace {

using testing::DemoSession;
using testing::StepThread;

const std::vector<std::string> kCurrenciesInKeyOrder = {"CHF", "CZK", "EUR", "GBP", "HUF",
                                                        "JPY", "PLN", "UAH", "USD"};

Table& waluty() {
  Table* t = find_table("WAL:");
  EXPECT_NE(t, nullptr);
  return *t;
}

Table& banki() {
  return *find_table("BAN");
}

std::vector<std::string> read_to_end(Table& t, std::string_view field) {
  std::vector<std::string> seen;
  while (t.next().ok()) seen.push_back(t.text(field));
  return seen;
}

// A pass-through query, to see what is stored independently of the record layer.
std::string stored(db::Client& client, std::string_view statement) {
  client.open(db::Channel::VAXFSQL);
  client.send(db::Channel::VAXFSQL, statement);
  std::string value = client.next(db::Channel::VAXFSQL).ok()
                          ? std::string(client.field(db::Channel::VAXFSQL, 1))
                          : "<no row>";
  client.close(db::Channel::VAXFSQL);
  return value;
}

class RecordAccess : public DemoSession {
 protected:
  void SetUp() override {
    DemoSession::SetUp();
    ASSERT_TRUE(waluty().open().ok());
    waluty().clear();
  }
  void TearDown() override {
    waluty().close();
    banki().close();
    DemoSession::TearDown();
  }
};

TEST_F(RecordAccess, KeysAndFieldsComeFromTheCatalogue) {
  EXPECT_EQ(waluty().key_names(), std::vector<std::string>{"PK_WALUTY"});
  EXPECT_EQ(banki().key_names(),
            (std::vector<std::string>{"PK_BANKI", "AK_BANKI_NUMER_BANKI", "BANKI_KOD", "BANKI_MIEJSCOWOSC",
                                      "BANKI_NAZWA", "BANKI_SWIFT"}));
  EXPECT_EQ(find_table("VAT")->key_names(), std::vector<std::string>{"PK_VAT"});
  EXPECT_TRUE(waluty().has_field("WAL:NAZWA_WALUTY"));
  EXPECT_TRUE(waluty().has_field("mnoznik_waluty"));
  EXPECT_FALSE(waluty().has_field("BAN:NAZWA_WALUTY"));
  EXPECT_FALSE(waluty().set_text("NO_SUCH_COLUMN", "x"));
}

TEST_F(RecordAccess, NextWalksTheKeyOrderAndStopsWith33KeepingTheBuffer) {
  error_object().clear_last_report();
  ASSERT_TRUE(waluty().set_key("WAL:PK_WALUTY").ok());
  EXPECT_EQ(read_to_end(waluty(), "SYM_WALUTY"), kCurrenciesInKeyOrder);
  EXPECT_EQ(record_error().code, db::kRecordNotAvailable);
  EXPECT_FALSE(error_object().last_report().has_value());
  EXPECT_EQ(waluty().text("SYM_WALUTY"), "USD");
  EXPECT_EQ(waluty().next().code, db::kRecordNotAvailable);
}

TEST_F(RecordAccess, OpenReadsInPrimaryKeyOrderWithoutSetKey) {
  EXPECT_EQ(read_to_end(waluty(), "SYM_WALUTY"), kCurrenciesInKeyOrder);
}

TEST_F(RecordAccess, SetKeyStartsAtTheKeyValueInTheBuffer) {
  waluty().set_text("SYM_WALUTY", "eur");  // the server's comparison ignores case
  ASSERT_TRUE(waluty().set_key("PK_WALUTY").ok());
  EXPECT_EQ(read_to_end(waluty(), "SYM_WALUTY"),
            std::vector<std::string>(kCurrenciesInKeyOrder.begin() + 2, kCurrenciesInKeyOrder.end()));
  EXPECT_EQ(waluty().set_key("PK_NOTHING").code, db::kInvalidDeclaration);
}

// Rows sharing a value of a key that is not unique are each read once.
TEST_F(RecordAccess, NextOverANonUniqueKeyNeitherSkipsNorRepeats) {
  ASSERT_TRUE(banki().open().ok());
  for (int id : {9001, 9002, 9003}) {
    banki().clear();
    banki().set_integer("ID_BANKU", id);
    banki().set_text("NUMER_BANKU", "00000001");
    banki().set_text("NAZWA", "Bank " + std::to_string(id));
    ASSERT_TRUE(banki().add().ok()) << record_error().text;
  }
  banki().clear();
  banki().set_text("NUMER_BANKU", "00000001");
  ASSERT_TRUE(banki().set_key("BAN:AK_BANKI_NUMER_BANKI").ok());
  std::vector<std::string> ids;
  while (banki().next().ok() && banki().text("NUMER_BANKU") == "00000001")
    ids.push_back(banki().text("ID_BANKU"));
  EXPECT_EQ(ids, (std::vector<std::string>{"9001", "9002", "9003"}));

  // Rows without a number sort first and are as many as any other value.
  stored(client(), "insert into banki (id_banku, nazwa) values (9004, 'bez numeru')");
  stored(client(), "insert into banki (id_banku, nazwa) values (9005, 'bez numeru')");
  banki().clear();
  ASSERT_TRUE(banki().set_key("AK_BANKI_NUMER_BANKI").ok());
  const auto all = read_to_end(banki(), "ID_BANKU");
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], "9004");
  EXPECT_EQ(all[1], "9005");
  EXPECT_EQ(std::to_string(all.size()), stored(client(), "select count(*) from banki"));
}

TEST_F(RecordAccess, FetchLoadsTheRowAndAMissKeepsTheBuffer) {
  waluty().set_text("WAL:SYM_WALUTY", "EUR");
  ASSERT_TRUE(waluty().fetch("WAL:PK_WALUTY").ok());
  EXPECT_EQ(waluty().text("NAZWA_WALUTY"), "euro");
  EXPECT_EQ(waluty().integer("MNOZNIK_WALUTY"), 1);

  error_object().clear_last_report();
  waluty().set_text("SYM_WALUTY", "XYZ");
  const db::Status miss = waluty().fetch("PK_WALUTY");
  EXPECT_EQ(miss.code, kRecordNotFound);
  EXPECT_EQ(record_error().code, kRecordNotFound);
  EXPECT_EQ(waluty().text("SYM_WALUTY"), "XYZ");
  EXPECT_EQ(waluty().text("NAZWA_WALUTY"), "euro");
  const auto report = error_object().last_report();
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->code, kRecordNotFound);
  EXPECT_EQ(report->table, "WALUTY");
}

TEST_F(RecordAccess, AddFillsDefaultsAndRefusesADuplicateKey) {
  waluty().set_text("SYM_WALUTY", "NOK");
  waluty().set_text("NAZWA_WALUTY", "korona norweska");
  ASSERT_TRUE(waluty().add().ok()) << record_error().text;
  EXPECT_EQ(waluty().text("MNOZNIK_WALUTY"), "1");
  EXPECT_EQ(stored(client(), "select nazwa_waluty from waluty where sym_waluty='NOK'"), "korona norweska");

  waluty().set_text("SYM_WALUTY", "nok");
  EXPECT_EQ(waluty().add().code, kDuplicateKey);
  EXPECT_EQ(record_error().code, kDuplicateKey);
  EXPECT_EQ(stored(client(), "select count(*) from waluty where sym_waluty='NOK'"), "1");
}

TEST_F(RecordAccess, AddTakesTheIdentityTheDatabaseAssigns) {
  Table& vat = *find_table("VAT:");
  ASSERT_TRUE(vat.open().ok());
  vat.clear();
  vat.set_text("NAZWA", "stawka testowa");
  vat.set_text("KOD_VAT", "T7");
  vat.set_number("STAWKA", 7.5);
  ASSERT_TRUE(vat.add().ok()) << record_error().text;
  const std::string id = vat.text("ID_VAT");
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(stored(client(), "select kod_vat from stawka_vat where id_vat=" + id), "T7");
  EXPECT_EQ(stored(client(), "select stawka from stawka_vat where id_vat=" + id), "7.5");
  vat.close();
}

TEST_F(RecordAccess, ChangeWritesTheRowOfTheBufferKey) {
  waluty().set_text("SYM_WALUTY", "GBP");
  ASSERT_TRUE(waluty().fetch("PK_WALUTY").ok());
  waluty().set_text("NAZWA_WALUTY", "funt");
  waluty().set_integer("MNOZNIK_WALUTY", 10);
  ASSERT_TRUE(waluty().change().ok()) << record_error().text;
  EXPECT_EQ(stored(client(), "select nazwa_waluty from waluty where sym_waluty='GBP'"), "funt");
  EXPECT_EQ(stored(client(), "select mnoznik_waluty from waluty where sym_waluty='GBP'"), "10");
  EXPECT_EQ(stored(client(), "select nazwa_waluty from waluty where sym_waluty='CHF'"), "frank szwajcarski");

  waluty().set_text("SYM_WALUTY", "XYZ");
  EXPECT_EQ(waluty().change().code, kRecordNotFound);
}

TEST_F(RecordAccess, ChangeKeepsTheNullsItRead) {
  stored(client(), "update waluty set sym_kraju = null where sym_waluty = 'JPY'");
  waluty().set_text("SYM_WALUTY", "JPY");
  ASSERT_TRUE(waluty().fetch("PK_WALUTY").ok());
  waluty().set_text("NAZWA_WALUTY", "jen");
  ASSERT_TRUE(waluty().change().ok());
  EXPECT_EQ(stored(client(), "select count(*) from waluty where sym_kraju is null and nazwa_waluty = 'jen'"),
            "1");
}

TEST_F(RecordAccess, DeleteRemovesTheRowOnce) {
  waluty().set_text("SYM_WALUTY", "UAH");
  ASSERT_TRUE(waluty().remove().ok());
  EXPECT_EQ(stored(client(), "select count(*) from waluty where sym_waluty='UAH'"), "0");
  EXPECT_EQ(waluty().fetch("PK_WALUTY").code, kRecordNotFound);
  EXPECT_EQ(waluty().remove().code, kRecordNotFound);
}

TEST_F(RecordAccess, QuotesAndPolishLettersRoundTrip) {
  const std::string name = "Bank Spółdzielczy \"Żuraw\" O'Brien; drop table banki --";
  ASSERT_TRUE(banki().open().ok());
  banki().clear();
  banki().set_integer("ID_BANKU", 9100);
  banki().set_text("NUMER_BANKU", "ŁÓDŹ'01");
  banki().set_text("NAZWA", name);
  ASSERT_TRUE(banki().add().ok()) << record_error().text;

  banki().clear();
  banki().set_text("NUMER_BANKU", "łódź'01");  // found ignoring the case of Polish letters
  ASSERT_TRUE(banki().fetch("AK_BANKI_NUMER_BANKI").ok());
  EXPECT_EQ(banki().text("NAZWA"), name);
  EXPECT_EQ(banki().integer("ID_BANKU"), 9100);
  EXPECT_EQ(stored(client(), "select nazwa from banki where id_banku=9100"), name);
}

TEST_F(RecordAccess, TextFieldsAreCutToTheirWidth) {
  waluty().set_text("SYM_WALUTY", "ŻŹĆX");
  EXPECT_EQ(waluty().text("SYM_WALUTY"), "ŻŹĆ");
  waluty().set_text("MNOZNIK_WALUTY", "12abc");
  EXPECT_EQ(waluty().integer("MNOZNIK_WALUTY"), 12);
}

TEST_F(RecordAccess, ATableOpenedOnAnotherThreadIsNotOpenHere) {
  StepThread other;
  db::Status there;
  other.run([&] {
    there = waluty().next();
    EXPECT_FALSE(waluty().is_open());
  });
  EXPECT_EQ(there.code, db::kNotOpen);
  EXPECT_TRUE(waluty().is_open());
  EXPECT_TRUE(waluty().next().ok());

  other.run([&] { there = record_error(); });
  EXPECT_EQ(there.code, db::kNotOpen);
  EXPECT_EQ(record_error().code, db::kOk);

  waluty().close();
  EXPECT_EQ(waluty().next().code, db::kNotOpen);
}

TEST_F(RecordAccess, EachThreadKeepsItsOwnPosition) {
  StepThread a, b;
  std::string seen_a, seen_b;
  a.run([&] {
    waluty().open();
    waluty().next();
    waluty().next();
  });
  b.run([&] {
    waluty().open();
    waluty().next();
  });
  a.run([&] {
    waluty().next();
    seen_a = waluty().text("SYM_WALUTY");
  });
  b.run([&] {
    waluty().next();
    seen_b = waluty().text("SYM_WALUTY");
  });
  EXPECT_EQ(seen_a, "EUR");
  EXPECT_EQ(seen_b, "CZK");
}

// A second workstation changes a row this one has in its buffer; the next fetch here sees the change.
TEST_F(RecordAccess, AnotherProcessChangeIsSeenByTheNextFetch) {
  waluty().set_text("SYM_WALUTY", "CHF");
  ASSERT_TRUE(waluty().fetch("PK_WALUTY").ok());
  ASSERT_EQ(waluty().text("NAZWA_WALUTY"), "frank szwajcarski");

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::unique_ptr<db::Client> own;
    bool done = server::connect("sqlite:" + path(), own).ok();
    install_database(own.get());
    Table& t = waluty();
    done = done && t.open().ok();
    t.set_text("SYM_WALUTY", "CHF");
    done = done && t.fetch("PK_WALUTY").ok();
    t.set_text("NAZWA_WALUTY", "frank (zmieniony gdzie indziej)");
    done = done && t.change().ok();
    _exit(done ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  EXPECT_EQ(waluty().text("NAZWA_WALUTY"), "frank szwajcarski");
  ASSERT_TRUE(waluty().fetch("PK_WALUTY").ok());
  EXPECT_EQ(waluty().text("NAZWA_WALUTY"), "frank (zmieniony gdzie indziej)");
}

TEST_F(RecordAccess, FailuresOfTheDatabaseComeBackAsErrors) {
  Table missing("NIE", "NIEISTNIEJACA");
  EXPECT_EQ(missing.open().code, db::kStatementFailed);
  EXPECT_FALSE(missing.is_open());

  install_database(nullptr);
  Table later("LAT", "KRAJE");
  EXPECT_EQ(later.open().code, db::kNotOpen);
}

}  // namespace
}  // namespace dane
