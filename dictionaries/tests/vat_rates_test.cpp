// VAT rates: the refusal box, "Aktywność" and the list of active rates reloaded on closing.
#include <algorithm>

#include "dane/lists_money.h"
#include "dictionary_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;
using VatRates = DictionarySession;

std::vector<std::string> active_codes() {
  std::vector<std::string> out;
  for (const dane::VatEntry& e : dane::VATQ.entries()) out.emplace_back(e.KOD_VAT.clipped());
  return out;
}

TEST_F(VatRates, LoadvatKeepsActiveRatesByRateDescendingThenCode) {
  LOADVAT();
  EXPECT_EQ(active_codes(), (std::vector<std::string>{"23", "8", "5", "0", "np", "zw"}));
  EXPECT_EQ(dane::VATQ.entries().front().STAWKA, 23);
}

TEST_F(VatRates, AFailingLoadLetsTheUserEndOrGoOnWithAnEmptyList) {
  run("drop table STAWKA_VAT");
  host_.answer("Przerwij");
  dane::GLO.WYJDZ_Z_HALTEM = 0;
  LOADVAT();
  EXPECT_TRUE(dane::VATQ.empty());
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 1);
  dane::GLO.WYJDZ_Z_HALTEM = 0;
  EXPECT_EQ(failures(), "");
}

TEST_F(VatRates, ActivityTwiceLeavesTheRateAsItWasAndStillReloadsTheList) {
  dane::VATQ.clear();  // stands for a list that went stale: closing must reload it
  host_.browse("popup", "KOD_VAT", "23").popup("Aktywność <F4>");
  host_.browse("popup", "KOD_VAT", "23").popup("Aktywność <F4>");
  host_.browse("close");
  VAT_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select AKTYWNY from STAWKA_VAT where KOD_VAT='23'"), "1");
  EXPECT_EQ(active_codes().size(), 6u);
}

TEST_F(VatRates, ActivityOfAnInactiveRateAddsItToTheList) {
  host_.browse("popup", "KOD_VAT", "22").popup("Aktywność <F4>").browse("close");
  VAT_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select AKTYWNY from STAWKA_VAT where KOD_VAT='22'"), "1");
  EXPECT_EQ(active_codes(), (std::vector<std::string>{"23", "22", "8", "5", "0", "np", "zw"}));
  const auto popups = shown("popup");
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_NE(popups[0].text.find("~aktywnosc.ico"), std::string::npos);
}

TEST_F(VatRates, WithoutActivityPermissionNothingChanges) {
  start_session(3000002);  // StawkiVAT without AktywnoscStawkiVat
  host_.browse("popup", "KOD_VAT", "23").popup("Aktywność <F4>");
  host_.answer("OK", "Ostrzeżenie", "Brak uprawnień na dostęp do funkcji Aktywność stawki vat!");
  host_.browse("close");
  VAT_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select AKTYWNY from STAWKA_VAT where KOD_VAT='23'"), "1");
}

TEST_F(VatRates, WithoutAccessTheRefusalBoxIsTheBrowsesOwn) {
  start_session(3000003);
  host_.answer("OK");
  VAT_BRW();
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"MIRLET: Ostrzeżenie: Brak uprawnień na dostęp do stawek vat!"}));
  EXPECT_EQ(dane::GLOBALRESPONSE, 2);
}

TEST_F(VatRates, F4OnTheLocatedCodeTogglesItsActivity) {
  host_.browse_locate("zw").browse_key("F4").browse("close");
  VAT_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(value_of("select AKTYWNY from STAWKA_VAT where KOD_VAT='zw'"), "0");
  EXPECT_EQ(active_codes(), (std::vector<std::string>{"23", "8", "5", "0", "np"}));
  const auto browses = shown("browse");
  ASSERT_EQ(browses.size(), 1u);
  EXPECT_EQ(browses[0].headers, (std::vector<std::string>{"Nazwa", "Kod", "Stawka", "A"}));
  // An active rate shows its icon, one switched off nothing.
  const auto& rows = browses[0].rows;
  const auto zw = std::find(rows.begin(), rows.end(), "zwolniona | zw | 0.00 | ");
  ASSERT_NE(zw, rows.end()) << ::testing::PrintToString(rows);
  ASSERT_NE(zw + 1, rows.end());
  EXPECT_EQ(*(zw + 1), "nie podlega | np | 0.00 | ~32redchk.ico");
}

}  // namespace
}  // namespace slownik
