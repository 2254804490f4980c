// Where a record's classifier values land on a report band.
#include <gtest/gtest.h>

#include <string>

#include "dane/globals.h"
#include "dane/report_band.h"
#include "keldox/classifiers.h"
#include "tests/classifier_support.h"

namespace keldox {
namespace {

using testing::add_definition;

class ClassifierReport : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    add_definition({"Artykul", 1, "Kolor", "pole1", "tekst", 0, "", "s30"});
    add_definition({"Artykul", 2, "Waga", "pole2", "liczba", 0, "", "n-12`3"});
    add_definition({"Artykul", 3, "Producent", "pole3", "tekst", 0, "", "s50", 0});
    add_definition({"Artykul", 4, "Przyjęto", "pole4", "data", 0, "", "d17"});
    add_definition({"Artykul", 5, "Opis", "pole5", "tekst", 0, "", "s100"});
    add_definition({"Artykul", 6, "Kod", "pole6", "tekst", 0, "", "s10"});
    add_definition({"Artykul", 7, "Uwagi", "pole7", "tekst", 0, "", "s10"});
    values[0] = "Zielony";
    values[1] = "1.85";
    values[2] = "Acme";
    values[3] = "82243";
    values[4] = std::string(70, 'x');
    values[5] = "K-1";
    values[6] = "brak";
  }
  void TearDown() override { dane::reset_session(); }

  std::string placed(std::int32_t number) const {
    const dane::ReportControl* c = band.control(number);
    return c ? c->text + " @" + std::to_string(c->x) + "," + std::to_string(c->y) : "none";
  }

  ClassifierValues values{};
  dane::ReportBand band;
};

TEST_F(ClassifierReport, SelectedActiveFieldsFillTwoColumnsRowByRow) {
  EXPECT_FALSE(KLASYFIKATORY_RAPORT("Artykul", values, "1111", band));
  ASSERT_EQ(band.controls().size(), 3u);  // the third field is not active
  EXPECT_EQ(placed(5001), "Kolor:  Zielony @100,50");
  EXPECT_EQ(placed(5002), "Waga:  1,850 @3600,50");
  EXPECT_EQ(placed(5003), "Przyjęto:  01.03.2026 @100,200");
}

TEST_F(ClassifierReport, ALongFirstColumnTextKeepsItsRowToItself) {
  EXPECT_FALSE(KLASYFIKATORY_RAPORT("Artykul", values, "0000111", band));
  ASSERT_EQ(band.controls().size(), 3u);
  EXPECT_EQ(placed(5001), "Opis:  " + std::string(70, 'x') + " @100,50");
  EXPECT_EQ(placed(5002), "Kod:  K-1 @100,200");
  EXPECT_EQ(placed(5003), "Uwagi:  brak @3600,200");
}

TEST_F(ClassifierReport, NothingSelectedPlacesNothing) {
  EXPECT_TRUE(KLASYFIKATORY_RAPORT("Artykul", values, "0010000000", band));
  EXPECT_TRUE(KLASYFIKATORY_RAPORT("Artykul", values, "", band));
  EXPECT_TRUE(KLASYFIKATORY_RAPORT("Kontrahent", values, "1111111111", band));
  EXPECT_TRUE(band.controls().empty());
}

}  // namespace
}  // namespace keldox
