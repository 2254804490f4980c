// Credit limits on the demo database through the scripted host: which payers are refused and how, when the
// window opens at all, the figures it shows, the statements it sends, and the function-password override.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "dane/table.h"
#include "db/test_clients.h"
#include "keldox/credit_limits.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/date.h"
#include "server/demo.h"
#include "server/server.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

// The demo's payers, one per blocking mode.
constexpr double kNoCheck = 900001, kBlocked = 900002, kOverdue = 900003, kOverdueLimit = 900004,
                 kAllLimit = 900005;
constexpr double kPaidOnIssue = 900101;  // a document of kOverdueLimit paid in full

class CreditLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    folder_.emplace("credit");
    ASSERT_TRUE(server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo).ok());
    ASSERT_TRUE(server::connect("sqlite:" + folder_->file("demo.db"), real_).ok());
    faults_ = std::make_unique<db::FaultClient>(*real_);
    recording_ = std::make_unique<db::RecordingClient>(*faults_);
    dane::install_database(recording_.get());
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    parameters("Nie", "Tak");
    host_.on_failure([this](const std::string& m) { failures_.push_back(m); });
    dane::install_host(&host_);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::find_table("DOKH")->close();
    dane::install_database(nullptr);
    recording_.reset();
    faults_.reset();
    real_.reset();
    dane::reset_session();
  }

  static void parameters(const char* passwords, const char* issues_count) {
    dane::S_PARAMKONFQ.reset();
    dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{103, "BLOKFUNCHASLO", "@S3", passwords};
    dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
    dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{107, "WLICZAJWZDOLIMITU", "@S3", issues_count};
    dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  }

  // Loads the document being issued into the session's trade-document record.
  static void issue(double document) {
    dane::Table& d = *dane::find_table("DOKH");
    ASSERT_TRUE(d.open().ok());
    ASSERT_TRUE(d.set_key("PK_DOKUMENT_HANDLOWY").ok());
    d.clear();
    d.set_number("ID_DOKUMENTU_HANDLOWEGO", document);
    ASSERT_TRUE(d.fetch("PK_DOKUMENT_HANDLOWY").ok());
  }

  std::vector<std::string> kinds() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown()) out.push_back(s.kind);
    return out;
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == "message") out.push_back(s.text);
    }
    return out;
  }
  std::optional<ui_script::Shown> window() const {
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == "form" && s.text == "LimitKupiecki") return s;
    }
    return std::nullopt;
  }
  std::string field(const std::string& name) const {
    if (const auto w = window()) {
      for (const std::string& f : w->fields) {
        if (f.starts_with(name + "=")) return f.substr(name.size() + 1);
      }
    }
    return "<none>";
  }

  std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> real_;
  std::unique_ptr<db::FaultClient> faults_;
  std::unique_ptr<db::RecordingClient> recording_;
  ui_script::ScriptHost host_;
  std::vector<std::string> failures_;
};

TEST_F(CreditLimits, NoCheckAllowsAndABlockedPayerIsRefusedWithoutAWindow) {
  issue(kNoCheck);
  EXPECT_EQ(WALIDACJALIMITU(kNoCheck, kNoCheck, 0, 0, 0), 0);
  EXPECT_TRUE(host_.shown().empty());

  issue(kBlocked);
  host_.answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kBlocked, kBlocked, 1, 50000, 0), 1);
  EXPECT_EQ(messages(), std::vector<std::string>{
                            "Sprzedaż dla płatnika Hurtownia Zablokowana Sp. z o.o. jest zablokowana!"});
  EXPECT_FALSE(window());
  EXPECT_EQ(recording_->statements().back(), "select nazwa from kontrahent where id_kontrahenta=900002");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, NothingOnCreditOrNoLimitAllowsWithoutAWindow) {
  // Paid in full on issue: the credit part is 0 in every mode that looks at it.
  issue(kPaidOnIssue);
  for (std::uint8_t mode : {2, 3, 4})
    EXPECT_EQ(WALIDACJALIMITU(kOverdueLimit, kOverdueLimit, mode, 10000, 0), 0);
  // 7000 less 1000 deducted by the document less 6000 deducted by the caller.
  issue(kAllLimit);
  EXPECT_EQ(WALIDACJALIMITU(kAllLimit, kAllLimit, 4, 20000, 6000), 0);
  // A limit of 0 lets modes 3 and 4 through even with receivables overdue.
  issue(kOverdueLimit);
  EXPECT_EQ(WALIDACJALIMITU(kOverdueLimit, kOverdueLimit, 3, 0, 0), 0);
  EXPECT_EQ(WALIDACJALIMITU(kOverdueLimit, kOverdueLimit, 4, 0, 0), 0);
  EXPECT_TRUE(host_.shown().empty());
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, OverdueReceivablesRefuseOnTheDecisionWithThePayersFigures) {
  issue(kOverdue);
  host_.form_ok().answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kOverdue, kOverdue, 2, 20000, 0), 1);
  ASSERT_TRUE(window());
  EXPECT_EQ(window()->title, "Limit kupiecki");
  EXPECT_EQ(window()->buttons, (std::vector<std::string>{"Sprawdź limit", "Anuluj"}));
  EXPECT_EQ(field("PLATNIK"), "Sklep Spożywczy O'Hara");
  EXPECT_EQ(field("NALEZNOSCI"), "2 150,40");
  EXPECT_EQ(field("PRZETERMINOWANE"), "1 250,40");
  EXPECT_EQ(field("NAJSTARSZY_TERMIN"), "31.03.2025");
  EXPECT_EQ(field("TRANSAKCJA"), "6 000,00");
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Dla płatnika Sklep Spożywczy O'Hara istnieją przeterminowane "
                                     "należności!|Odmowa wystawienia faktury."});
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, TheLimitSumsCountTheCreditPartAndAllowUpToTheLimit) {
  // Overdue 4000 and a credit part of 6000 reach the limit of 10000 exactly: allowed.
  issue(kOverdueLimit);
  host_.form_ok();
  EXPECT_EQ(WALIDACJALIMITU(kOverdueLimit, kOverdueLimit, 3, 10000, 0), 0);
  EXPECT_EQ(field("NALEZNOSCI"), "6 500,00");
  EXPECT_EQ(field("ZOBOWIAZANIA"), "300,00");
  EXPECT_EQ(field("SALDO"), "6 200,00");
  EXPECT_TRUE(messages().empty());

  // A grosz more on the document goes over it.
  dane::find_table("DOKH")->set_text("WARTOSC_BRUTTO", "7000.0100");
  host_.form_ok().answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kOverdueLimit, kOverdueLimit, 3, 10000, 0), 1);
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Suma przeterminowanych należności i kwoty transakcji jest większa "
                                     "niż przyznany limit!|Odmowa wystawienia faktury."});

  // Mode 4 counts every receivable: 15000 and 6000 exceed 20000.
  issue(kAllLimit);
  host_.form_ok().answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kAllLimit, kAllLimit, 4, 20000, 0), 1);
  EXPECT_EQ(
      messages().back(),
      "Suma wszystkich należności i kwoty transakcji jest większa niż przyznany limit!|Odmowa wystawienia "
      "faktury.");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, StockIssuesCountAgainstTheAvailableLimitWhenConfigured) {
  const std::string today = std::to_string(runtime::today());
  host_.form_cancel();
  EXPECT_EQ(LIMITKUPIECKI(1, kAllLimit, kAllLimit, 0, 0), 0);
  EXPECT_EQ(field("DO_WYKORZYSTANIA"), "3 200,00");
  const std::vector<std::string> sent = recording_->statements();
  EXPECT_EQ(sent, (std::vector<std::string>{
                      "select nazwa,limit_kupiecki,blokowanie,dni_po_terminie from kontrahent where "
                      "id_kontrahenta= (900005)",
                      "call AP_ObliczSaldoKontrahenta(900005,0," + today + ",4)",
                      "select dbo.AP_Func_PodajLimitKontrDoWykorz(900005,0,0,0," + today + ",1)"}));

  parameters("Nie", "Nie");
  recording_->forget();
  host_.form_cancel();
  EXPECT_EQ(LIMITKUPIECKI(1, kAllLimit, kAllLimit, 0, 0), 0);
  EXPECT_EQ(recording_->statements().back(),
            "select dbo.AP_Func_PodajLimitKontrDoWykorz(900005,0,0,0," + today + ",0)");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, TheShowingWindowOnlyClosesAndTheDecidingOneAllowsNothingOnCancel) {
  // A day given is the day of the balances: in 2099 the invoice of November is overdue as well.
  host_.form_ok().form_cancel();
  EXPECT_EQ(LIMITKUPIECKI(1, kOverdue, kOverdue, 0, 0, runtime::make_day(2100, 1, 20)), 0);
  ASSERT_TRUE(window());
  EXPECT_EQ(window()->buttons, std::vector<std::string>{"Zamknij"});
  EXPECT_EQ(field("PRZETERMINOWANE"), "2 150,40");
  EXPECT_EQ(field("NA_DZIEN"), "20.01.2100");
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("shows no OK button"), std::string::npos) << failures_[0];

  failures_.clear();
  host_.form_cancel();
  EXPECT_EQ(LIMITKUPIECKI(2, kNoCheck, kNoCheck, 100, 0), 0);
  host_.form_ok();
  EXPECT_EQ(LIMITKUPIECKI(2, kNoCheck, kNoCheck, 100, 0), 1);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, TheFunctionPasswordOverridesARefusalAndAWrongOneLeavesIt) {
  parameters("Tak", "Tak");
  issue(kBlocked);
  host_.form_set("HASLO", "LIMIT").form_ok();
  EXPECT_EQ(WALIDACJALIMITU(kBlocked, kBlocked, 1, 50000, 0), 0);
  EXPECT_EQ(kinds(), std::vector<std::string>{"form"});
  EXPECT_TRUE(messages().empty());

  // The decision of the window goes through the same rule: a wrong password warns, cancel refuses.
  issue(kOverdue);
  host_.form_ok().form_set("HASLO", "zle").form_ok().answer("OK").form_cancel().answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kOverdue, kOverdue, 2, 20000, 0), 1);
  const std::vector<std::string> shown = messages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], "Brak autoryzacji!|Wprowadzono błędne hasło.");
  EXPECT_NE(shown[1].find("istnieją przeterminowane należności"), std::string::npos);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(CreditLimits, BalancesThatCannotBeReadRefuseRatherThanPassForNoDebt) {
  faults_->fail_statements_starting("call AP_ObliczSaldoKontrahenta",
                                    db::Status::statement_failed("Could not find stored procedure"));
  issue(kAllLimit);
  host_.form_ok().answer("OK");
  EXPECT_EQ(WALIDACJALIMITU(kAllLimit, kAllLimit, 4, 20000, 0), 1);
  EXPECT_EQ(messages().back(),
            "Nie udało się ustalić należności płatnika Market Na Granicy S.A.!|Odmowa wystawienia faktury.");
}

}  // namespace
}  // namespace keldox
