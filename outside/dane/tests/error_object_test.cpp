// Error object: procedure names per thread and nested windows, reports remembered and passed to the handler.
#include "dane/error_object.h"

#include <gtest/gtest.h>

#include <latch>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace dane {
namespace {

TEST(ErrorObjectProcedure, NestedWindowHandsTheContextBack) {
  ErrorObject errors;
  EXPECT_EQ(errors.procedure(), "");
  errors.set_procedure("Waluty_Brw");
  errors.set_procedure("Waluty_Upd");
  EXPECT_EQ(errors.procedure(), "Waluty_Upd");
  errors.clear_procedure();
  EXPECT_EQ(errors.procedure(), "Waluty_Brw");
  errors.clear_procedure();
  EXPECT_EQ(errors.procedure(), "");
  errors.clear_procedure();  // one clear too many is harmless
  EXPECT_EQ(errors.procedure(), "");
}

TEST(ErrorObjectProcedure, ClearingByNameRemovesOnlyThatWindow) {
  ErrorObject errors;
  errors.set_procedure("Banki_Brw");
  errors.set_procedure("SendEMail");
  errors.clear_procedure("BANKI_BRW   ");
  EXPECT_EQ(errors.procedure(), "SendEMail");
  errors.clear_procedure("WydawanieReszty");
  EXPECT_EQ(errors.procedure(), "SendEMail");
  errors.clear_procedure("SendEMail");
  EXPECT_EQ(errors.procedure(), "");
}

TEST(ErrorObjectProcedure, ScopeSetsAndClears) {
  ErrorObject errors;
  {
    const ProcedureScope browse(errors, "Waluty_Brw");
    {
      const ProcedureScope form(errors, "Waluty_Upd      ");  // a blank-padded fixed text
      EXPECT_EQ(errors.procedure(), "Waluty_Upd");
    }
    EXPECT_EQ(errors.procedure(), "Waluty_Brw");
  }
  EXPECT_EQ(errors.procedure(), "");
}

TEST(ErrorObjectProcedure, ThreadsKeepTheirOwnNames) {
  ErrorObject errors;
  errors.set_procedure("Glowne");
  constexpr int threads = 4;
  std::latch all_set(threads);
  std::vector<std::string> seen(threads);
  std::vector<int> wrong(threads, 0);
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      const std::string name = "Okno_" + std::to_string(t);
      errors.set_procedure(name);
      all_set.arrive_and_wait();
      seen[t] = errors.procedure();
      for (int i = 0; i < 2000; ++i) {
        const ProcedureScope inner(errors, name + "_Upd");
        if (errors.procedure() != name + "_Upd") ++wrong[t];
      }
      errors.clear_procedure();
      if (!errors.procedure().empty()) ++wrong[t];
    });
  }
  for (std::thread& w : workers) w.join();
  for (int t = 0; t < threads; ++t) {
    EXPECT_EQ(seen[t], "Okno_" + std::to_string(t));
    EXPECT_EQ(wrong[t], 0) << t;
  }
  EXPECT_EQ(errors.procedure(), "Glowne");
}

TEST(ErrorObjectReport, RemembersTheLastReportWithTheContext) {
  ErrorObject errors;
  EXPECT_EQ(errors.last_report(), std::nullopt);
  const ProcedureScope scope(errors, "Waluty_Upd");
  errors.report(37, "Plik nie jest otwarty", "WALUTY");
  errors.report(47, "Błędny rekord", "BANKI");
  const auto last = errors.last_report();
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->code, 47);
  EXPECT_EQ(last->text, "Błędny rekord");
  EXPECT_EQ(last->table, "BANKI");
  EXPECT_EQ(last->procedure, "Waluty_Upd");
  errors.clear_last_report();
  EXPECT_EQ(errors.last_report(), std::nullopt);
}

TEST(ErrorObjectReport, ReportsOfAnotherThreadAreNotMine) {
  ErrorObject errors;
  std::thread([&] { errors.report(37, "x"); }).join();
  EXPECT_EQ(errors.last_report(), std::nullopt);
}

TEST(ErrorObjectReport, HandlerSeesEachReportAndMayCallBack) {
  ErrorObject errors;
  std::vector<std::string> shown;
  errors.set_handler([&](const ErrorReport& r) {
    shown.push_back(std::to_string(r.code) + " " + r.text + " @" + errors.procedure());
    errors.clear_last_report();
  });
  const ProcedureScope scope(errors, "Banki_Brw");
  errors.report(37, "Plik nie jest otwarty", "BANKI");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "37 Plik nie jest otwarty @Banki_Brw");
  EXPECT_EQ(errors.last_report(), std::nullopt);
}

TEST(ErrorObjectReport, ThrowingHandlerDoesNotEscape) {
  ErrorObject errors;
  errors.set_handler([](const ErrorReport&) { throw std::runtime_error("okno błędu"); });
  EXPECT_NO_THROW(errors.report(47, "x"));
  ASSERT_TRUE(errors.last_report().has_value());
  EXPECT_EQ(errors.last_report()->code, 47);
}

}  // namespace
}  // namespace dane
