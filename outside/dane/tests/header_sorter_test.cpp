// The header sorter's sort list kept in a settings file and read back at the next installation.
#include "dane/header_sorter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dane/globals.h"
#include "dane/settings_file.h"
#include "mirlet_testing/temp_folder.h"

namespace dane {
namespace {

std::vector<HeaderColumn> bank_columns() {
  return {{"Nazwa banku", "NAZWA", true}, {"Nr banku", "NUMER_BANKU", true}, {"Id", "ID_BANKU", false}};
}

TEST(HeaderSorterPersistence, TheSortIsStoredAtRemovalAndRestoredAtInstallation) {
  mirlet_testing::TempFolder folder("sorter");
  const std::string ini = folder.file("okna.ini");
  HeaderSorter first;
  first.install(bank_columns(), ini, "Banki_Brw", 7);
  first.click(0, ClickModifier::None);
  first.click(0, ClickModifier::None);
  first.click(2, ClickModifier::Ctrl);
  first.remove();
  EXPECT_EQ(SettingsFile(ini).get_value("Banki_Brw", "SortHeader_7"), "-UPPER(NAZWA),+ID_BANKU");

  HeaderSorter again;
  again.install(bank_columns(), ini, "Banki_Brw", 7);
  EXPECT_EQ(again.expression(), "-UPPER(NAZWA),+ID_BANKU");
  EXPECT_EQ(again.header_text(0), "Nazwa banku[-1]");
  EXPECT_EQ(again.header_text(2), "Id[+2]");
}

TEST(HeaderSorterPersistence, StoredNamesMatchIgnoringCaseAndUnknownOnesAreSkipped) {
  mirlet_testing::TempFolder folder("sorter");
  const std::string ini = folder.file("okna.ini");
  ASSERT_TRUE(SettingsFile(ini).set_value("Lista", "SortHeader_1", "numer_banku, -BRAK,-nazwa"));
  HeaderSorter s;
  s.install(bank_columns(), ini, "Lista");
  EXPECT_EQ(s.expression(), "+UPPER(NUMER_BANKU),-UPPER(NAZWA)");
}

TEST(HeaderSorterPersistence, WithoutFileAndSectionNothingIsStored) {
  mirlet_testing::TempFolder folder("sorter");
  GLO.PATH_INI = folder.file("okna.ini");
  HeaderSorter s;
  s.install(bank_columns());
  s.click(1, ClickModifier::None);
  s.remove();
  EXPECT_FALSE(std::filesystem::exists(folder.file("okna.ini")));

  // A registry root key as the file keeps the sort in the user's settings file instead.
  HeaderSorter in_registry;
  in_registry.install(bank_columns(), "HKEY_CURRENT_USER", "Software\\Mirlet\\Banki", 3);
  in_registry.click(1, ClickModifier::None);
  in_registry.remove();
  EXPECT_EQ(SettingsFile(folder.file("okna.ini")).get_value("Software\\Mirlet\\Banki", "SortHeader_3"),
            "+UPPER(NUMER_BANKU)");
  GLO.PATH_INI = "";
}

}  // namespace
}  // namespace dane
