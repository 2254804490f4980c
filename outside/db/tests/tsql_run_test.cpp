// Translated statements run on an in-memory SQLite: the results the server would give.
#include <gtest/gtest.h>

#include <string>

#include "tsql_test_support.h"

namespace db::tsql {
namespace {

using testing::MemoryDb;
using testing::Rows;

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.exec(R"sql(
      CREATE TABLE parametr_raportu (id_parametru INTEGER PRIMARY KEY, nazwa TEXT COLLATE PLCI);
      CREATE TABLE wartosc_parametru (id_parametru INTEGER, id_wariantu INTEGER, wartosc TEXT COLLATE PLCI);
      INSERT INTO parametr_raportu VALUES (1, 'IBAN'), (2, 'Konto');
      INSERT INTO wartosc_parametru VALUES (1, 10, 'stare'), (2, 10, 'inne'), (1, 11, 'stare');
      CREATE TABLE zaznaczone (id_sesji INTEGER, uzycie INTEGER, id INTEGER, id2 INTEGER NOT NULL DEFAULT 0);
      CREATE TABLE kontrahent (id_kontrahenta INTEGER PRIMARY KEY, nazwa TEXT COLLATE PLCI, kod TEXT COLLATE PLCI,
                               odbiorca INTEGER, dostawca INTEGER);
      INSERT INTO kontrahent VALUES (1, 'Kowalski Jan', 'kow', 1, 0), (2, 'Łódzka Spółka', 'ŁÓD', 0, 1),
                                    (3, 'Nowak', NULL, NULL, 1);
      CREATE TABLE adresy_firmy (id_adresy_firmy INTEGER PRIMARY KEY, data_od INTEGER, kp_data_od TEXT,
                                 ulica TEXT COLLATE PLCI, nr_domu TEXT COLLATE PLCI, nr_lokalu TEXT COLLATE PLCI);
      INSERT INTO adresy_firmy VALUES (1, 80000, NULL, 'Piękna', '5', ''), (2, 36163, NULL, 'Długa', '12', '3');
      CREATE TABLE odsetki (id_tabeli_odsetek INTEGER, od_dnia INTEGER, do_dnia INTEGER);
      INSERT INTO odsetki VALUES (1, 70000, 75000), (1, 75001, 80000), (1, 80001, 2994626), (2, 1, 2);
      CREATE TABLE artykul (id_artykulu INTEGER PRIMARY KEY, guid_artykul TEXT, pole1 TEXT COLLATE PLCI);
      INSERT INTO artykul VALUES (1, 'g1', 'czerwony'), (2, 'g1', 'zielony'), (3, 'g2', 'niebieski');
    )sql");
  }

  Rows rows(const char* tsql) {
    const auto r = db_.run(tsql);
    EXPECT_EQ(r.error, "") << tsql;
    return r.rows;
  }

  std::string value(const char* tsql) {
    const auto r = rows(tsql);
    return r.empty() || r[0].empty() ? "<no row>" : r[0][0];
  }

  MemoryDb db_;
};

TEST_F(Run, UpdateFromChangesOnlyTheJoinedRows) {
  EXPECT_EQ(db_.run("update wartosc_parametru  with (rowlock)  set wartosc='PL12' from wartosc_parametru "
                    "w,parametr_raportu p where p.id_parametru=w.id_parametru and  p.nazwa='iban' and "
                    "w.id_wariantu=10")
                .error,
            "");
  EXPECT_EQ(db_.query("SELECT id_parametru, id_wariantu, wartosc FROM wartosc_parametru ORDER BY 2, 1"),
            (Rows{{"1", "10", "PL12"}, {"2", "10", "inne"}, {"1", "11", "stare"}}));
}

TEST_F(Run, UpdateFromWithTheTargetAloneInFrom) {
  EXPECT_EQ(db_.run("update ARTYKUL set pole1='x' from artykul a where a.id_artykulu=2").error, "");
  EXPECT_EQ(db_.query("SELECT pole1 FROM artykul ORDER BY id_artykulu"),
            (Rows{{"czerwony"}, {"x"}, {"niebieski"}}));
}

TEST_F(Run, UpdateFromCopiesToTwins) {
  EXPECT_EQ(
      db_.run("update Artykul set pole1=a.pole1 from artykul b,(select * from artykul where id_artykulu=1) a "
              "where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul")
          .error,
      "");
  EXPECT_EQ(db_.query("SELECT pole1 FROM artykul ORDER BY id_artykulu"),
            (Rows{{"czerwony"}, {"czerwony"}, {"niebieski"}}));
}

TEST_F(Run, UpdateFromWithTheTargetInAnInnerJoin) {
  EXPECT_EQ(db_.run("update wartosc_parametru set wartosc=p.nazwa from wartosc_parametru w inner join "
                    "parametr_raportu p "
                    "on p.id_parametru=w.id_parametru where w.id_wariantu=11")
                .error,
            "");
  EXPECT_EQ(db_.query("SELECT wartosc FROM wartosc_parametru ORDER BY id_wariantu, id_parametru"),
            (Rows{{"stare"}, {"inne"}, {"IBAN"}}));
}

TEST_F(Run, IfNotExistsInsertsOnce) {
  const char* mark =
      "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 3 and uzycie= 120 and id= 5 and "
      "id2= 0) "
      "begin   insert into zaznaczone (id_sesji,uzycie,id,id2) values(3,120,5,0) end ";
  EXPECT_EQ(db_.run(mark).error, "");
  EXPECT_EQ(db_.run(mark).error, "");
  EXPECT_EQ(db_.query("SELECT count(*) FROM zaznaczone"), (Rows{{"1"}}));
}

TEST_F(Run, IfElseTakesTheOtherBranch) {
  EXPECT_EQ(
      db_.run("if exists(select 1 from kontrahent where kod='nie ma') select 'tak' else select 'nie'").rows,
      (Rows{{"nie"}}));
}

TEST_F(Run, BulkMarkingInsertSelectDefaultsId2) {
  EXPECT_EQ(
      db_.run("insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_KONTRAHENTA,120,3  FROM "
              "KONTRAHENT A WITH (NOLOCK) WHERE A.NAZWA LIKE 'KOWALSKI%'")
          .error,
      "");
  EXPECT_EQ(db_.query("SELECT id, id2 FROM zaznaczone"), (Rows{{"1", "0"}}));
}

TEST_F(Run, UpperCasedStatementStillMatchesLiterals) {
  EXPECT_EQ(
      value("SELECT COUNT(*)  FROM KONTRAHENT A WITH (NOLOCK) WHERE ISNULL(A.KOD,'')='ŁÓD' OR A.NAZWA LIKE "
            "'ŁÓDZKA%'"),
      "1");
  EXPECT_EQ(value("select id_kontrahenta from kontrahent where kod='łód   '"), "2");
}

TEST_F(Run, TopOneWithOrder) {
  EXPECT_EQ(value("select top 1 od_dnia from odsetki  where ID_TABELI_ODSETEK=1 and  od_dnia<80001 order by "
                  "od_dnia desc"),
            "75001");
  EXPECT_EQ(value("select top 1 od_dnia-1 from odsetki  where ID_TABELI_ODSETEK=1 and  od_dnia>75001 order "
                  "by od_dnia"),
            "80000");
}

TEST_F(Run, NumberGluedToKeyword) {
  EXPECT_EQ(value("select count(*) from odsetki where ID_TABELI_ODSETEK=1and od_dnia>0"), "3");
}

TEST_F(Run, DayNumbersBecomeDatetimes) {
  EXPECT_EQ(
      db_.run(
             "update adresy_firmy set KP_DATA_OD = CAST((DATA_OD-36163) AS datetime) where ID_ADRESY_FIRMY=1")
          .error,
      "");
  EXPECT_EQ(
      db_.run(
             "update adresy_firmy set KP_DATA_OD = CAST((DATA_OD-36163) AS datetime) where ID_ADRESY_FIRMY=2")
          .error,
      "");
  EXPECT_EQ(rows("select kp_data_od, convert(varchar(10),kp_data_od,120) from adresy_firmy order by 1"),
            (Rows{{"1900-01-01 00:00:00", "1900-01-01"}, {"2020-01-09 00:00:00", "2020-01-09"}}));
  EXPECT_EQ(value("select isnull(convert(varchar(30),NULL,120),'<brak zapisu>')"), "<brak zapisu>");
}

TEST_F(Run, AddressConcatenation) {
  EXPECT_EQ(rows("select rtrim(ulica)+' '+rtrim(nr_domu)+case when len(nr_lokalu)>0 then "
                 "'/'+rtrim(nr_lokalu) else '' "
                 "end from adresy_firmy order by id_adresy_firmy"),
            (Rows{{"Piękna 5"}, {"Długa 12/3"}}));
}

TEST_F(Run, PlusOnColumnsDecidedByValues) {
  EXPECT_EQ(rows("select nazwa+kod, odbiorca+dostawca, isnull(odbiorca,0)*2+isnull(dostawca,0) from "
                 "kontrahent where "
                 "id_kontrahenta in (1,3) order by id_kontrahenta"),
            (Rows{{"Kowalski Jankow", "1", "2"}, {"NULL", "NULL", "1"}}));
}

TEST_F(Run, DeleteFormsRemoveOnlyTheirRows) {
  EXPECT_EQ(db_.run("delete odsetki where id_tabeli_odsetek=2").error, "");
  EXPECT_EQ(db_.run("delete odsetki from odsetki where od_dnia=70000").error, "");
  EXPECT_EQ(db_.query("SELECT od_dnia FROM odsetki ORDER BY 1"), (Rows{{"75001"}, {"80001"}}));
  EXPECT_EQ(
      db_.run("delete o from odsetki o inner join artykul a on a.id_artykulu=1 where o.od_dnia=75001").error,
      "");
  EXPECT_EQ(db_.query("SELECT od_dnia FROM odsetki"), (Rows{{"80001"}}));
}

TEST_F(Run, ServerFunctionsWithDboPrefix) {
  sqlite3_create_function_v2(
      db_.handle(), "AP_Func_PodajNip", 1, SQLITE_UTF8, nullptr,
      [](sqlite3_context* ctx, int, sqlite3_value** argv) {
        std::string v(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])));
        v += "-ok";
        sqlite3_result_text(ctx, v.c_str(), -1, SQLITE_TRANSIENT);
      },
      nullptr, nullptr, nullptr);
  EXPECT_EQ(value("select dbo.AP_Func_PodajNip('123')"), "123-ok");
  EXPECT_EQ(value("SELECT DBO.AP_FUNC_PODAJNIP('1')"), "1-ok");
}

TEST_F(Run, AlterViewKeepsTheOldViewWhenTheNewOneIsBroken) {
  EXPECT_EQ(db_.run(" alter  VIEW PD_Artykul(id,Kolor)   AS  SELECT id_artykulu,pole1 FROM artykul").error,
            "");
  EXPECT_EQ(value("select Kolor from PD_Artykul where id=3"), "niebieski");
  const auto broken =
      db_.run(" alter  VIEW PD_Artykul(id,Kolor,Waga)   AS  SELECT id_artykulu,pole1 FROM artykul");
  EXPECT_NE(broken.error, "");
  EXPECT_EQ(value("select Kolor from PD_Artykul where id=1"), "czerwony");
}

TEST_F(Run, CallsAreHandedToTheExecutor) {
  const auto r = db_.run(
      "call  AP_ZapiszDoLogu(1,2,3,0,'Log',6,'Eksport do excela',3,'Wyeksportowano rekordów: 5');"
      "&RetCode = call RM_Przywroc(1,-2,4.15)");
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.calls,
            (std::vector<std::string>{"AP_ZapiszDoLogu(1|2|3|0|Log|6|Eksport do excela|3|Wyeksportowano "
                                      "rekordów: 5)",
                                      "&RM_Przywroc(1|-2|4.15)"}));
}

TEST_F(Run, ComputedTextsGroupAndSortIgnoringCase) {
  db_.exec("INSERT INTO kontrahent VALUES (5, 'nowak', 'y', 0, 0), (6, 'Ábel', 'z', 0, 0)");
  EXPECT_EQ(
      rows("select distinct rtrim(nazwa)+'' n from kontrahent where id_kontrahenta in (3,5,6) order by n"),
      (Rows{{"Ábel"}, {"Nowak"}}));
}

TEST_F(Run, GroupByAndDistinctIgnoreCase) {
  db_.exec("INSERT INTO kontrahent VALUES (4, 'NOWAK ', 'x', 0, 0)");
  EXPECT_EQ(rows("select nazwa, count(*) from kontrahent where nazwa like 'now%' group by nazwa"),
            (Rows{{"Nowak", "2"}}));
}

}  // namespace
}  // namespace db::tsql
