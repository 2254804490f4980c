// Several window threads read a shared list while one changes it, all under the list's own lock.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <thread>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_settings.h"

namespace dane {
namespace {

constexpr int kColumns = 40;

std::string picture_for(std::int32_t width) {
  return "@n" + std::to_string(width) + "_";
}

class SharedColumnList : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_session();
    for (int n = 1; n <= kColumns; ++n) {
      INI_KOL_BRO.buffer.NAZWA_OKNA = "Artykul_Brw";
      INI_KOL_BRO.buffer.NUMER_KOLUMNY = n;
      INI_KOL_BRO.buffer.KOLEJNOSC = kColumns + 1 - n;
      INI_KOL_BRO.buffer.ROZMIAR = 10;
      INI_KOL_BRO.buffer.FORMAT_KOLUMNY = picture_for(10);
      INI_KOL_BRO.add();
    }
    INI_KOL_BRO.sort<IniKolBroEntry::ByWindowPosition>();
  }
  void TearDown() override { reset_session(); }
};

TEST_F(SharedColumnList, ReadersNeverSeeAHalfWrittenColumn) {
  std::atomic<int> torn{0};
  std::atomic<long> reads{0};

  auto reader = [&] {
    for (int pass = 0; pass < 200; ++pass) {
      for (int position = 1; position <= kColumns; ++position) {
        std::shared_lock lock(INI_KOL_BRO.mutex());
        const IniKolBroEntry* column =
            INI_KOL_BRO.find<IniKolBroEntry::ByWindowPosition>(std::string_view("Artykul_Brw"), position);
        if (column == nullptr || column->FORMAT_KOLUMNY.view() != picture_for(column->ROZMIAR)) ++torn;
        ++reads;
      }
    }
  };
  auto writer = [&] {
    for (int round = 0; round < 300; ++round) {
      for (int position = 1; position <= kColumns; ++position) {
        std::unique_lock lock(INI_KOL_BRO.mutex());
        INI_KOL_BRO.buffer.NAZWA_OKNA = "Artykul_Brw";
        INI_KOL_BRO.buffer.KOLEJNOSC = position;
        if (!INI_KOL_BRO.fetch<IniKolBroEntry::ByWindowPosition>()) {
          ++torn;
          continue;
        }
        const std::int32_t width = 10 + (round + position) % 90;
        INI_KOL_BRO.buffer.ROZMIAR = width;
        INI_KOL_BRO.buffer.FORMAT_KOLUMNY = picture_for(width);
        INI_KOL_BRO.put();
      }
    }
  };

  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) threads.emplace_back(reader);
  std::thread changer(writer);
  changer.join();
  for (std::thread& t : threads) t.join();

  EXPECT_EQ(torn.load(), 0);
  EXPECT_EQ(reads.load(), 3L * 200 * kColumns);
  EXPECT_TRUE(INI_KOL_BRO.ordered_by<IniKolBroEntry::ByWindowPosition>());
  const IniKolBroEntry* last = INI_KOL_BRO.find<IniKolBroEntry::ByWindowPosition>("Artykul_Brw", kColumns);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->ROZMIAR, 10 + (299 + kColumns) % 90);
}

}  // namespace
}  // namespace dane
