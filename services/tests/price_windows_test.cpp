// The discount converter and the change calculator through the scripted host: the amounts they show and
// hand back, their roundings, and the warnings that keep them open.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/price_windows.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

class PriceWindows : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host_); }
  void TearDown() override { dane::install_host(nullptr); }

  // The fields of the last form shown, as "NAME=text".
  std::vector<std::string> fields() const {
    const std::vector<ui_script::Shown> shown = host_.shown();
    for (auto s = shown.rbegin(); s != shown.rend(); ++s) {
      if (s->kind == "form") return s->fields;
    }
    return {};
  }
  std::string field(const std::string& name) const {
    for (const std::string& f : fields()) {
      if (f.starts_with(name + "=")) return f.substr(name.size() + 1);
    }
    return "<none>";
  }
  std::vector<std::string> warnings() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown()) {
      if (s.kind == "message") out.push_back(s.text);
    }
    return out;
  }
  std::string failures() const {
    std::string out;
    for (const std::string& f : host_.failures()) out += f + "\n";
    return out;
  }

  ui_script::ScriptHost host_;
};

TEST_F(PriceWindows, TheConverterOpensOnTheBaseThatThePriceAndPercentageImply) {
  double percentage = -10, price = 90;
  host_.form_cancel();
  PRZELICZNIKRABATU(percentage, price);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(field("CENA_BAZOWA"), "100,00");
  EXPECT_EQ(field("KWOTA"), "-10,00");
  EXPECT_EQ(field("CENA"), "90,00");
  // Cancel leaves the caller's values.
  EXPECT_EQ(percentage, -10);
  EXPECT_EQ(price, 90);
  const std::vector<ui_script::Shown> shown = host_.shown();
  const auto forms =
      std::count_if(shown.begin(), shown.end(), [](const ui_script::Shown& s) { return s.kind == "form"; });
  EXPECT_EQ(forms, 1);
}

TEST_F(PriceWindows, AnAmountOrAPriceTypedGivesThePercentageAndTheAmountThatPercentageMakes) {
  // Base 7: 3.33 is 47.57 %, which gives 3.3299 = 3.33 back: no warning.
  double percentage = 0, price = 7;
  host_.form_set("KWOTA", "3,33").form_ok();
  PRZELICZNIKRABATU(percentage, price);
  EXPECT_EQ(failures(), "");
  EXPECT_TRUE(warnings().empty());
  EXPECT_DOUBLE_EQ(percentage, 47.57);
  EXPECT_DOUBLE_EQ(price, 10.33);

  // On a base of 1000, 0.05 is 0.01 %, which gives 0.10: the amount is adjusted and the user told. A price
  // of 900 typed is an amount of -100: -10 %.
  percentage = 0;
  price = 1000;
  host_.form_set("KWOTA", "0,05")
      .answer("OK", "Ostrzeżenie", "W wyniku zaokrąglenia rabat/narzut kwotowy musi wynosić 0,10")
      .form_set("CENA", "900")
      .form_ok();
  PRZELICZNIKRABATU(percentage, price, "Brutto");
  EXPECT_EQ(failures(), "");
  EXPECT_DOUBLE_EQ(percentage, -10);
  EXPECT_DOUBLE_EQ(price, 900);
}

TEST_F(PriceWindows, APercentageChangesTheAmountAndANonPositivePriceIsRefused) {
  double percentage = 0, price = 250;
  host_.form_set("PROCENT", "-100")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Cena musi być dodatnia!")
      .form_set("PROCENT", "12,5")
      .form_ok();
  PRZELICZNIKRABATU(percentage, price);
  EXPECT_EQ(failures(), "");
  EXPECT_DOUBLE_EQ(percentage, 12.5);
  EXPECT_DOUBLE_EQ(price, 281.25);
}

TEST_F(PriceWindows, ACallerAtMinusAHundredPercentOpensWithoutABaseAndCannotDivideByIt) {
  double percentage = -100, price = 0;
  host_.form_set("KWOTA", "5").answer("OK", "Ostrzeżenie", "musi wynosić 0,00").form_cancel();
  PRZELICZNIKRABATU(percentage, price);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(field("CENA_BAZOWA"), "0,00");
  EXPECT_EQ(field("CENA"), "0,00");
}

TEST_F(PriceWindows, TheCaptionsFollowThePriceKindAndTheSubject) {
  double percentage = 0, price = 10;
  host_.form_cancel().form_cancel();
  PRZELICZNIKRABATU(percentage, price, "Brutto");
  PRZELICZNIKRABATU(percentage, price, "Netto", "Wartość");
  std::vector<ui_script::Shown> forms;
  for (const ui_script::Shown& s : host_.shown()) {
    if (s.kind == "form") forms.push_back(s);
  }
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[1].title, "Wartość netto");
  EXPECT_EQ(failures(), "");
}

TEST_F(PriceWindows, TheChangeIsPaidMinusDueInDecimalAndTooLittleIsRefused) {
  double due = 123.45, paid = 0, change = 0;
  dane::GLOBALREQUEST = 2;
  host_.form_set("WPLATA", "100")
      .answer("OK", "Ostrzeżenie", "Proszę wprowadzić kwotę większą od należności!")
      .form_set("WPLATA", "200")
      .form_ok();
  EXPECT_EQ(WYDAWANIERESZTY(due, paid, change), 1);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(dane::GLOBALREQUEST.load(), 0);
  EXPECT_EQ(dane::GLOBALRESPONSE.load(), 1);
  EXPECT_DOUBLE_EQ(due, 123.45);
  EXPECT_DOUBLE_EQ(paid, 200);
  EXPECT_DOUBLE_EQ(change, 76.55);
  EXPECT_EQ(field("RESZTA"), "76,55");

  due = 50;
  paid = 0;
  host_.form_set("WPLATA", "50").form_ok();
  WYDAWANIERESZTY(due, paid, change);
  EXPECT_DOUBLE_EQ(change, 0);
}

TEST_F(PriceWindows, ClosingWithTooLittlePaidHandsBackTheChangeTheCallerGave) {
  double due = 80, paid = 0, change = 7;
  host_.form_set("WPLATA", "20")
      .answer("OK", "Ostrzeżenie", "Proszę wprowadzić kwotę większą od należności!")
      .form_ok()
      .answer("OK", "Ostrzeżenie", "Proszę wprowadzić kwotę większą od należności!")
      .form_cancel();
  WYDAWANIERESZTY(due, paid, change);
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(dane::GLOBALRESPONSE.load(), 2);
  EXPECT_DOUBLE_EQ(paid, 20);
  EXPECT_DOUBLE_EQ(change, 7);
}

}  // namespace
}  // namespace keldox
