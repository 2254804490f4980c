// Saved user filters: a filter window's group as XML and back, stored per firm and user on the demo
// database, and stored definitions found by their context and name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/host.h"
#include "dane/record_group.h"
#include "demo_session.h"
#include "keldox/sql.h"
#include "keldox/user_filters.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

dane::RecordGroup filter_group() {
  dane::RecordGroup g("FIL");
  g.add("Nazwa", "Kowal");
  g.add("FIL:Data_Od", "82000");
  g.add("Kolumny", "1;2;3", true);  // an array: never stored
  g.add("Uwagi", "O'Brien & <Syn>");
  return g;
}

class UserFilters : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.ok()) << demo_.error();
    host_.on_failure([this](const std::string& m) { failures_.push_back(m); });
    dane::install_host(&host_);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    EXPECT_TRUE(failures_.empty()) << failures_.front();
  }
  std::string count(const std::string& where) {
    return FUNCSQL("select count(*) from MAG_FILTR_UZYTKOWNIKA where " + where);
  }

  testing::DemoSession demo_;
  ui_script::ScriptHost host_;
  std::vector<std::string> failures_;
};

TEST_F(UserFilters, AGroupIsAnXmlDocumentOfItsPlainFieldsAndComesBackWhole) {
  const dane::RecordGroup group = filter_group();
  const std::string xml = GRUPADOXML(group);
  EXPECT_EQ(
      xml,
      "<GROUP><NAZWA>Kowal</NAZWA><DATA_OD>82000</DATA_OD><UWAGI>O'Brien &amp; &lt;Syn&gt;</UWAGI></GROUP>");
  EXPECT_EQ(
      GRUPADOXML(group, 1),
      "<GROUP><DATA_OD>82000</DATA_OD><NAZWA>Kowal</NAZWA><UWAGI>O'Brien &amp; &lt;Syn&gt;</UWAGI></GROUP>");

  dane::RecordGroup back("FIL");
  back.add("Nazwa");
  back.add("Data_Od");
  back.add("Kolumny", "zostaje", true);
  back.add("Uwagi");
  back.add("Tylko_Tu", "bez zmian");
  std::string text = xml;
  XMLDOGRUPY(text, back);
  EXPECT_EQ(back.value("NAZWA"), "Kowal");
  EXPECT_EQ(back.value("fil:data_od"), "82000");
  EXPECT_EQ(back.value("Uwagi"), "O'Brien & <Syn>");
  EXPECT_EQ(back.value("Kolumny"), "zostaje");
  EXPECT_EQ(back.value("Tylko_Tu"), "bez zmian");
  EXPECT_EQ(text, xml);
}

TEST_F(UserFilters, TextThatIsNoXmlWarnsAndChangesNothing) {
  dane::RecordGroup group = filter_group();
  std::string broken = "<GROUP><NAZWA>Nowak</GROUP>";
  host_.answer("OK", "", "Błąd ładowania definicji XML!");
  XMLDOGRUPY(broken, group);
  EXPECT_EQ(group.value("Nazwa"), "Kowal");
  EXPECT_TRUE(host_.finished());
}

TEST_F(UserFilters, AFilterIsStoredOncePerFirmAndUserAndReadBack) {
  const std::string before = count("1=1");  // the demo's application filters
  ZAPISZXMLFILTRUZYTKOWNIKA(0, filter_group(), "nic");
  EXPECT_EQ(count("1=1"), before);

  ZAPISZXMLFILTRUZYTKOWNIKA(12, filter_group(), "druga  ");
  dane::RecordGroup changed = filter_group();
  changed.set("Nazwa", "Nowak");
  ZAPISZXMLFILTRUZYTKOWNIKA(12, changed);
  EXPECT_EQ(count("ID_FILTRA=12 and ID_FIRMY=1 and ID_UZYTKOWNIKA=3000001"), "1");

  dane::RecordGroup read("FIL");
  read.add("Nazwa", "puste");
  read.add("Uwagi");
  std::string second = "przed";
  POBIERZXMLFILTRUZYTKOWNIKA(12, read, &second);
  EXPECT_EQ(read.value("Nazwa"), "Nowak");
  EXPECT_EQ(read.value("Uwagi"), "O'Brien & <Syn>");
  EXPECT_EQ(second, "");  // the second store gave no second text

  // Another user, and a filter never stored, leave the group as it is.
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  dane::RecordGroup other("FIL");
  other.add("Nazwa", "puste");
  POBIERZXMLFILTRUZYTKOWNIKA(12, other);
  POBIERZXMLFILTRUZYTKOWNIKA(99, other);
  EXPECT_EQ(other.value("Nazwa"), "puste");
}

TEST_F(UserFilters, ADefinitionIsFoundByItsContextAndName) {
  ASSERT_EQ(ESQL("insert into MAG_DEFINICJA_FILTRA (ID_FILTRA, NAZWA, PODSYSTEM, TYP, KONTEKST) values (41, "
                 "'Dłużnicy', 'FiltrF8', 'Filtr', 'Kontrahent_Brw')"),
            0);
  EXPECT_EQ(POBIERZIDFILTRAXML("FiltrF8 ", "Filtr", "Kontrahent_Brw  ", "Dłużnicy "), 41);
  EXPECT_EQ(POBIERZIDFILTRAXML("FiltrF8", "Filtr", "Artykul_Brw", "Dłużnicy"), 0);
}

}  // namespace
}  // namespace keldox
