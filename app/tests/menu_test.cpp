// The menu table: paths split and found as people and scripts write them, and entries that do their work.
#include "app/menu.h"

#include <gtest/gtest.h>

#include <set>

#include "dane/globals.h"
#include "dane/host.h"
#include "ui_script/script_host.h"

namespace app {
namespace {

TEST(MenuPath, SplitsAtTheMarkAndTrimsEachPart) {
  EXPECT_EQ(split_menu_path("Słowniki > Waluty"), (std::vector<std::string>{"Słowniki", "Waluty"}));
  EXPECT_EQ(split_menu_path(" A>B >  C "), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(split_menu_path("Pomoc"), (std::vector<std::string>{"Pomoc"}));
}

struct Lookup {
  const char* name;
  const char* path;
  const char* found;  // null: none
};

void PrintTo(const Lookup& row, std::ostream* out) {
  *out << row.name;
}

class MenuLookup : public ::testing::TestWithParam<Lookup> {};

TEST_P(MenuLookup, FindsTheEntryOfThePath) {
  const MenuEntry* entry = find_menu_entry(GetParam().path);
  if (!GetParam().found) {
    EXPECT_EQ(entry, nullptr);
    return;
  }
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->path, GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MenuLookup,
    ::testing::Values(Lookup{"exact", "Pomoc > O programie", "Pomoc > O programie"},
                      Lookup{"case_blind_with_polish_letters", "POMOC>o PROGRAMIE", "Pomoc > O programie"},
                      Lookup{"blanks_around_the_mark", "System   >   Koniec pracy", "System > Koniec pracy"},
                      Lookup{"menu_alone_is_no_entry", "Pomoc", nullptr},
                      Lookup{"deeper_path_is_no_entry", "Pomoc > O programie > Więcej", nullptr},
                      Lookup{"unknown_entry", "Pomoc > Nic", nullptr}, Lookup{"empty", "", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MenuTable, PathsAreUniqueAndEveryEntryHasAMenuAndAnAction) {
  std::set<std::string> seen;
  for (const MenuEntry& entry : menu_entries()) {
    const std::vector<std::string> parts = split_menu_path(entry.path);
    EXPECT_GE(parts.size(), 2u) << entry.path;
    for (const std::string& part : parts) EXPECT_FALSE(part.empty()) << entry.path;
    std::string key;
    for (const std::string& part : parts) key += part + ">";
    EXPECT_TRUE(seen.insert(key).second) << "twice: " << entry.path;
    EXPECT_NE(entry.action, nullptr) << entry.path;
    EXPECT_FALSE(entry.name.empty()) << entry.path;
  }
}

// Runs entries under a script and gives what the scripted host saw.
class MenuEntries : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host_); }
  void TearDown() override {
    dane::install_host(nullptr);
    EXPECT_TRUE(host_.failures().empty());
  }
  AfterEntry run(std::vector<const char*> paths) {
    std::vector<const MenuEntry*> entries;
    for (const char* path : paths) {
      entries.push_back(find_menu_entry(path));
      EXPECT_NE(entries.back(), nullptr) << path;
    }
    return run_menu_entries(entries);
  }
  ui_script::ScriptHost host_;
};

TEST_F(MenuEntries, AboutShowsTheVersion) {
  host_.answer("OK", "MIRLET: Informacja", std::string(program_version()));
  EXPECT_EQ(run({"Pomoc > O programie"}), AfterEntry::Continue);
  EXPECT_TRUE(host_.finished());
  EXPECT_FALSE(program_version().empty());
}

TEST_F(MenuEntries, EndOfWorkAnsweredNoKeepsTheSessionAndLaterEntriesRun) {
  host_.answer("Nie", "MIRLET: Pytanie", "Czy zakończyć pracę z programem Mirlet?").answer("OK");
  EXPECT_EQ(run({"System > Koniec pracy", "Pomoc > O programie"}), AfterEntry::Continue);
  EXPECT_TRUE(host_.finished());
}

TEST_F(MenuEntries, EndOfWorkAnsweredYesEndsTheSessionAndNothingAfterItRuns) {
  host_.answer("Tak");
  EXPECT_EQ(run({"System > Koniec pracy", "Pomoc > O programie"}), AfterEntry::EndSession);
  EXPECT_EQ(host_.shown().size(), 1u);
}

TEST_F(MenuEntries, RateDownloadsGoThroughTheBanksServices) {
  dane::GLO.POLACZENIE_INTERNETOWE = 0;
  host_.answer("OK", "MIRLET: Ostrzeżenie", "Wystąpił błąd połączenia internetowego!")
      .answer("OK", "MIRLET: Ostrzeżenie", "Wystąpił błąd połączenia internetowego!");
  EXPECT_EQ(run({"Kursy walut > Pobierz z NBP", "Kursy walut > Pobierz z ECB"}), AfterEntry::Continue);
  EXPECT_TRUE(host_.finished());
  dane::GLO.POLACZENIE_INTERNETOWE = 1;
}

}  // namespace
}  // namespace app
