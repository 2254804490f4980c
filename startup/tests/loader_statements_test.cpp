// The statements the loaders compose, and what they make of the rows they get back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "keldox/config_parameters.h"
#include "list_text.h"
#include "start/loaders.h"

namespace start {
namespace {

class LoaderStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::install_database(&recording_);
    dane::GLO.ID_UZYTKOWNIKA = 3000004;
    dane::GLO.ID_FIRMY = 1;
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }
  bool sent(const std::string& statement) const {
    const auto all = recording_.statements();
    return std::find(all.begin(), all.end(), statement) != all.end();
  }

  db::ScriptedClient scripted_;
  db::RecordingClient recording_{scripted_};
};

TEST_F(LoaderStatements, ParameterListsKeepOnlyThisProductsPositions) {
  EXPECT_EQ(
      user_parameters_statement(),
      "select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_UZYTKOWNIKA p with (nolock) LEFT "
      "OUTER "
      "JOIN InterUzytkownikPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_uzytkownika=3000004 "
      "and i.id_firmy=1 where substring(p.KOD_WERSJI,4,1)='1'");
  EXPECT_EQ(
      user_parameters_fallback_statement(),
      "select p.kod, p.id_pozycji, i.wartosc, p.maska from V_KONF_UZYTKOWNIKA p with (nolock) LEFT OUTER "
      "JOIN "
      "InterUzytkownikPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_uzytkownika=3000004 and "
      "i.id_firmy=1 where substring(p.KOD_WERSJI,4,1)='1'");
  EXPECT_EQ(
      company_parameters_statement(),
      "select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_SYSTEMU p with (nolock) LEFT OUTER "
      "JOIN InterFirmaPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_firmy=1 where "
      "substring(p.KOD_WERSJI,4,1)='1'");
  EXPECT_EQ(
      company_parameters_fallback_statement(),
      "select p.kod, p.id_pozycji, i.wartosc, p.maska,p.kod_wersji from V_KONF_SYSTEMU p with (nolock) LEFT "
      "OUTER JOIN InterFirmaPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_firmy=1 where "
      "substring(p.KOD_WERSJI,4,1)='1'");
}

TEST_F(LoaderStatements, RowByRowParametersGetTheirDefaultsAndCodesInUpperCase) {
  dane::GLO.ID_MAGAZYNU = 0;
  scripted_.queue_rows({{"domKasa", "500", "3", "@n10"},
                        {"Czcionka", "532", "", "@S100"},
                        {"Filtr", "7", "", "@s40"},
                        {"Margines", "8", "  ", "@n4"},
                        {"Żółw", "9", "", ""}});
  scripted_.queue_rows({{"EwidencjaCens", "102", "BRUTTO", "@S10", "0001000"}});
  const std::string user_fallback = user_parameters_fallback_statement();
  const std::string company_fallback = company_parameters_fallback_statement();
  LADUJPARAMETRYKONF(Route::row_by_row);
  EXPECT_EQ(
      testing::list_text(dane::U_PARAMKONFQ),
      (std::vector<std::string>{"532.000000|CZCIONKA|@S100||", "500.000000|DOMKASA|@n10|3|",
                                "7.000000|FILTR|@s40||", "8.000000|MARGINES|@n4|0|", "9.000000|ŻÓŁW||0|"}));
  EXPECT_EQ(dane::GLO.ID_KASY, 3);
  EXPECT_EQ(dane::GLO.BRUTTO_NETTO, 1);
  const auto all = recording_.statements();
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], user_fallback);
  EXPECT_EQ(all[1], company_fallback);
  EXPECT_TRUE(
      sent("select count(1) from DOSTEP with (nolock) where kod='SYS' and id_firmy=1 and rodzaj_dostepu>0"));
  EXPECT_TRUE(
      sent("select count(1) from uzytkownikgrupy u with (nolock), grupauzytkownikow g with (nolock) where "
           "g.id_firmy=1 and g.id_grupy=u.id_grupy and u.id_uzytkownika=3000004"));
  EXPECT_FALSE(
      sent("select id_magazynu,id_rachunku,WYROZNIK_SYNCHRONIZACJI from magazyn with (nolock) where "
           "id_magazynu=0"));
  // The scripted counts answered nothing: the company is not confirmed.
  EXPECT_EQ(dane::GLO.ID_FIRMY, 0);
}

TEST_F(LoaderStatements, WarehouseAccountIsAskedForTheCurrentWarehouse) {
  dane::GLO.ID_MAGAZYNU = 4;
  scripted_.queue_rows({});
  scripted_.queue_rows({});
  LADUJPARAMETRYKONF(Route::row_by_row);
  EXPECT_TRUE(
      sent("select id_magazynu,id_rachunku,WYROZNIK_SYNCHRONIZACJI from magazyn with (nolock) where "
           "id_magazynu=4"));
}

TEST_F(LoaderStatements, OperationsWithAndWithoutAUser) {
  dane::GLO.WARIANTDEDYKOWANY = 7;
  EXPECT_EQ(
      operations_statement(),
      "select distinct "
      "o.KOD_GRUPY,o.NAZWA,o.SKROT_KLAWISZOWY,o.SKROT_KLAWISZOWY_KOD,o.KOD_OPERACJI,o.GRUPOWANIE,"
      "o.FUNKCJA_ZEWNETRZNA,o.PARAMETRY,o.SCIEZKA,o.ID_OPERACJI,o.ODSWIEZ_LISTE,o.KASUJ_ZAZNACZENIE,0  from "
      "MAG_OPERACJE_DODATKOWE o with (nolock)  inner join mag_grupa_operacji_dodatkowej m with (nolock) on "
      "(o.id_operacji=m.id_operacji) inner join uzytkownikgrupy ug with (nolock) on(m.id_grupy=ug.id_grupy) "
      "inner "
      "join grupauzytkownikow g with (nolock) on (ug.id_grupy=g.id_grupy and g.id_firmy=1) where  "
      "ug.id_uzytkownika=3000004 and  substring(o.KOD_OPERACJI,4,1)='1' and  "
      "(substring(o.KOD_OPERACJI,6,3)='007' "
      "or substring(o.KOD_OPERACJI,6,3)='000') order by o.kod_grupy,o.grupowanie,o.nazwa");
  dane::GLO.ID_UZYTKOWNIKA = 0;
  dane::GLO.WARIANTDEDYKOWANY = 0;
  EXPECT_EQ(
      operations_fallback_statement(),
      "select distinct "
      "o.KOD_GRUPY,o.NAZWA,o.SKROT_KLAWISZOWY,o.KOD_OPERACJI,o.SKROT_KLAWISZOWY_KOD,o.GRUPOWANIE,"
      "o.FUNKCJA_ZEWNETRZNA,o.PARAMETRY,o.SCIEZKA,o.ID_OPERACJI,o.ODSWIEZ_LISTE,o.KASUJ_ZAZNACZENIE  from "
      "MAG_OPERACJE_DODATKOWE o with (nolock) where substring(o.KOD_OPERACJI,4,1)='1' and  "
      "(substring(o.KOD_OPERACJI,6,3)='000' or substring(o.KOD_OPERACJI,6,3)='000') order by "
      "o.kod_grupy,o.grupowanie,o.nazwa");
  dane::GLO.ID_UZYTKOWNIKA = -1;  // not greater than 0: no user
  EXPECT_EQ(operations_statement().find("inner join"), std::string::npos);
}

TEST_F(LoaderStatements, ListStatements) {
  dane::GLO.ID_FIRMY = 2;
  EXPECT_EQ(
      classifiers_statement(),
      "select KOD_KLAS_GRUPY,ID_POLA,NAZWA_POLA,NAZWA_POLA_MAP,NUMER_POLA,MASKA_POLA,TYP_POLA,WARTOSCI_LISTY,"
      "TYP_DANYCH, ID_SLOWNIKA,WARTOSC_DOMYSLNA,CZY_AKTYWNE,CZY_WYMAGANE,proc_nazwa,proc_id_dokumentu,"
      "path_app_obiektu,nie_edytowany from KLASYFIKATOR_POLE with (nolock) order by "
      "KOD_KLAS_GRUPY,NUMER_POLA");
  EXPECT_EQ(
      warehouses_statement(),
      "select m.id_magazynu,a.id_systemu from magazyn m with (nolock) left outer join MAG_Q2N_SYSTEMY a with "
      "(nolock) on (m.id_magazynu=a.id_magazynu) where m.id_firmy=2");
  LADUJZMIENNEGLOBALNE();
  EXPECT_EQ(recording_.statements(),
            std::vector<std::string>{"select MP,METODA_KASOWA from firma with (nolock) where id_firmy=2"});
}

TEST_F(LoaderStatements, ClassifierRowsAreOrderedByGroupAndNumber) {
  scripted_.queue_rows(
      {{"Kontrahent", "2", "Rabat", "pole2", "2", "n6.2", "0", "", "liczba", "0", "", "1", "0"},
       {"Artykul", "3", "Kolor", "pole1", "1", "s30", "0", "", "tekst", "0", "", "1", "1"},
       {"Kontrahent", "1", "Opiekun", "pole1", "1", "s50", "0", "", "tekst", "0", "", "1", "0"}});
  LADUJKLASYFIKATORY(Route::row_by_row);
  ASSERT_EQ(dane::GLO.KOL_KLASYFIKATOROW.count(), 3u);
  EXPECT_EQ(dane::GLO.KOL_KLASYFIKATOROW.entry(1)->NAZWA_POLA.str(), "Kolor");
  EXPECT_EQ(dane::GLO.KOL_KLASYFIKATOROW.entry(1)->CZY_WYMAGANE, 1);
  EXPECT_EQ(dane::GLO.KOL_KLASYFIKATOROW.entry(2)->NAZWA_POLA.str(), "Opiekun");
  EXPECT_EQ(dane::GLO.KOL_KLASYFIKATOROW.entry(3)->TYP_DANYCH.str(), "liczba");
  EXPECT_EQ(dane::GLO.KOL_KLASYFIKATOROW.entry(3)->ID_POLA, 2u);
}

}  // namespace
}  // namespace start
