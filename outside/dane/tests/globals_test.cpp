// Tests of the session globals: widths that cut, values shared with worker threads, the reset.
#include "dane/globals.h"
#include "dane/window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "dane/lists_access.h"
#include "dane/lists_settings.h"

namespace dane {
namespace {

class Globals : public ::testing::Test {
 protected:
  void SetUp() override { reset_session(); }
  void TearDown() override { reset_session(); }
};

TEST_F(Globals, TextsCutAtTheirWidthWithoutSplittingALetter) {
  GLO.WAL_BAZOWA = "ZŁOTÓWKA";
  EXPECT_EQ(GLO.WAL_BAZOWA.view(), "ZŁOT");

  GLO.NAZWA_PRACOWNIKA = std::string(49, 'a') + "żółw";
  EXPECT_EQ(GLO.NAZWA_PRACOWNIKA.view(), std::string(49, 'a') + "ż");

  const std::string folder = "/home/" + std::string(251, 'k');  // 257 characters
  GLO.PATH_INI = folder + "/użytkownik/okna3000001.ini";
  EXPECT_EQ(runtime::char_count(GLO.PATH_INI.view()), 260u);
  EXPECT_EQ(GLO.PATH_INI.view(), folder + "/uż");

  GLO.TABLICAMIESIECY[9] = "październik";
  EXPECT_EQ(GLO.TABLICAMIESIECY[9].view(), "październik");
  FILTRYDOSTEPU.CRM = std::string(199, ' ') + "ąę";
  EXPECT_EQ(runtime::char_count(FILTRYDOSTEPU.CRM.view()), 200u);
  EXPECT_EQ(FILTRYDOSTEPU.CRM.view().substr(199), "ą");
}

TEST_F(Globals, ResetRestoresAFreshSession) {
  GLO.ID_FIRMY = 7;
  GLO.WYJDZ_Z_HALTEM = 1;
  GLO.TABLEOPENTIME = 123456;
  GLO.ZAKRES = "bieżący miesiąc";
  PP.OTWARCIEAWARYJNE = 1;
  GLOBALREQUEST = static_cast<std::uint8_t>(Request::Select);
  ROZRACH_DRZEWKO_LOADED = 1;
  FILTRYDOSTEPU.ZAMOWIENIA = "1=0";
  GLO.KOLRACHBANK.buffer.SYM_WALUTY = "EUR";
  GLO.KOLRACHBANK.add_in_order<RachunekBankowyEntry::ByCurrency>();
  S_PARAMKONFQ.buffer.KOD = "DOMKASA";
  S_PARAMKONFQ.add();

  reset_session();

  EXPECT_EQ(GLO.ID_FIRMY, 0);
  EXPECT_EQ(GLO.WYJDZ_Z_HALTEM, 0);
  EXPECT_EQ(GLO.TABLEOPENTIME, 0);
  EXPECT_TRUE(GLO.ZAKRES.blank());
  EXPECT_EQ(GLO.TOOLTIPTYPE, 1);
  EXPECT_EQ(PP.OTWARCIEAWARYJNE, 0);
  EXPECT_EQ(GLOBALREQUEST, 0);
  EXPECT_EQ(ROZRACH_DRZEWKO_LOADED, 0);
  EXPECT_TRUE(FILTRYDOSTEPU.ZAMOWIENIA.blank());
  EXPECT_TRUE(GLO.KOLRACHBANK.empty());
  EXPECT_TRUE(GLO.KOLRACHBANK.buffer.SYM_WALUTY.blank());
  EXPECT_TRUE(S_PARAMKONFQ.empty());
  EXPECT_TRUE(S_PARAMKONFQ.buffer.KOD.blank());
}

TEST_F(Globals, ListsUnderGloKeepTheirKeyOrder) {
  for (const char* currency : {"USD", "EUR", "PLN", "CHF"}) {
    GLO.KOLRACHBANK.buffer.ID_RACHUNKU = static_cast<std::int32_t>(std::string_view(currency).front());
    GLO.KOLRACHBANK.buffer.SYM_WALUTY = currency;
    GLO.KOLRACHBANK.add_in_order<RachunekBankowyEntry::ByCurrency>();
  }
  std::string order;
  for (const RachunekBankowyEntry& account : GLO.KOLRACHBANK)
    order += std::string(account.SYM_WALUTY.clipped());
  EXPECT_EQ(order, "CHFEURPLNUSD");
  ASSERT_TRUE(GLO.KOLRACHBANK.fetch<RachunekBankowyEntry::ByCurrency>("PLN "));
  EXPECT_EQ(GLO.KOLRACHBANK.buffer.ID_RACHUNKU, 'P');
}

TEST_F(Globals, ClockAndChannelFlagSurviveConcurrentWorkers) {
  constexpr int kWorkers = 4;
  constexpr int kRuns = 5000;
  std::atomic<int> impossible{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([w, &impossible] {
      for (int run = 1; run <= kRuns; ++run) {
        GLO.TABLEOPENTIME = w * kRuns + run;
        GLO.VAXOPENED = 1;
        const std::int32_t seen = GLO.TABLEOPENTIME;
        if (seen < 1 || seen > kWorkers * kRuns) ++impossible;
        GLO.VAXOPENED = 0;
      }
    });
  }
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(impossible.load(), 0);
  EXPECT_EQ(GLO.VAXOPENED, 0);
  const std::int32_t last = GLO.TABLEOPENTIME;
  EXPECT_EQ(last % kRuns, 0);
}

}  // namespace
}  // namespace dane
