// The classifier window through the scripted host, over the demo's definitions: its rows and buttons,
// what each button does, the filter mode, and the checks on OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "keldox/classifiers.h"
#include "mirlet_testing/temp_folder.h"
#include "tests/classifier_support.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

bool has(const std::vector<std::string>& list, const std::string& item) {
  return std::ranges::find(list, item) != list.end();
}

class ClassifierWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo.ok()) << demo.error();
    dane::install_host(&host);
  }
  void TearDown() override {
    EXPECT_EQ(host.failures().size(), expected_failures);
    dane::install_host(nullptr);
    set_classifier_value_picker(nullptr);
  }
  std::vector<ui_script::Shown> of_kind(std::string_view kind) const {
    std::vector<ui_script::Shown> found;
    for (const ui_script::Shown& s : host.shown()) {
      if (s.kind == kind) found.push_back(s);
    }
    return found;
  }
  ui_script::Shown form() const {
    const auto forms = of_kind("form");
    return forms.empty() ? ui_script::Shown{} : forms.back();
  }

  testing::ClassifierDemo demo;
  ui_script::ScriptHost host;
  std::size_t expected_failures = 0;
};

TEST_F(ClassifierWindow, ShowsEveryActiveFieldWithTheButtonsOfItsKind) {
  ClassifierValues v{};
  host.form_cancel();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, v, 2), 0);
  const ui_script::Shown shown = form();
  EXPECT_EQ(shown.text, "Klasyfikatory_Okno");
  EXPECT_EQ(shown.fields,
            (std::vector<std::string>{"1101=Zielony", "1102=L", "1104=14,00", "1105=/srv/katalog/lopata.pdf",
                                      "1106=" + runtime::short_date_text(81900), "1107=1,850", "1108=24"}));
  EXPECT_TRUE(has(shown.field_buttons, "1205=Przeglądaj obiekty"));
  EXPECT_TRUE(has(shown.field_buttons, "1505=Otwórz aplikację skojarzoną"));
  EXPECT_TRUE(has(shown.field_buttons, "1206=Otwórz kalendarz"));
  EXPECT_TRUE(has(shown.field_buttons, "1208=Otwórz słownik"));
  EXPECT_TRUE(has(shown.field_buttons, "1301=Skasuj zawartość pola"));
  EXPECT_TRUE(has(shown.field_buttons, "1304=Skasuj zawartość pola (-)"));  // the computed field is read-only
  EXPECT_FALSE(has(shown.field_buttons, "1303=Skasuj zawartość pola"));     // Producent is not active
  EXPECT_EQ(v[0].str(), "");  // cancelled: not even the fill reaches the caller
}

TEST_F(ClassifierWindow, ButtonsFillAndClearTheValuesThatOkHandsBack) {
  std::vector<std::pair<std::uint32_t, std::string>> asked;
  set_classifier_value_picker([&](std::uint32_t dictionary, std::string_view current) {
    asked.emplace_back(dictionary, std::string(current));
    return std::optional<std::string>("36");
  });
  ClassifierValues v{};
  host.form_set("1101", "Biały")
      .form_press("1302")
      .form_press("1206")
      .choose_date("15.05.2026")
      .form_press("1208")
      .form_press("1205")
      .choose_file("/srv/katalog/nowa.pdf")
      .form_ok();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, v, 2), 1);
  EXPECT_EQ(v[0].str(), "Biały");
  EXPECT_EQ(v[1].str(), "");
  EXPECT_EQ(v[5].str(), std::to_string(runtime::make_day(2026, 5, 15)));
  EXPECT_EQ(v[7].str(), "36");
  EXPECT_EQ(v[4].str(), "/srv/katalog/nowa.pdf");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], (std::pair<std::uint32_t, std::string>{3, "24"}));
  const auto files = of_kind("file");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].title, "Wybierz obiekt");
  EXPECT_EQ(
      files[0].text,
      "wszystkie|*.*|pdf|*.pdf|bmp|*.bmp|jpg|*.jpg|gif|*.gif|word|*.doc|excel|*.xls|csv|*.csv|txt|*.txt|"
      "avi|*.avi");
}

TEST_F(ClassifierWindow, WithoutAPickerTheDictionaryButtonDoesNothing) {
  ClassifierValues v{};
  host.form_press("1208").form_ok();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, v, 2), 1);
  EXPECT_EQ(v[7].str(), "24");
}

TEST_F(ClassifierWindow, HyperlinksOpenThroughTheDesktopOrWarn) {
  mirlet_testing::TempFolder folder("classifierlink");
  const std::string sheet = folder.file("karta.pdf");
  std::ofstream(sheet) << "%PDF";
  ClassifierValues v{};
  host.form_press("1505")
      .answer("OK", "MIRLET: Ostrzeżenie",
              "Prawdopodobnie ścieżka dostępu do pliku /srv/katalog/lopata.pdf jest nieprawidłowa!")
      .form_press("1305")
      .form_press("1505")
      .answer("OK", "MIRLET: Ostrzeżenie", "Proszę wpisać ścieżkę do obiektu!")
      .form_set("1105", sheet)
      .form_press("1505")
      .form_cancel();
  KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, v, 2);
  const auto desktop = of_kind("desktop");
  ASSERT_EQ(desktop.size(), 1u);
  EXPECT_EQ(desktop[0].text, sheet);

  // A web address needs no file: it goes to the desktop as it is.
  ClassifierValues c{};
  host.form_press("1203").form_cancel();
  KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 1, c, 2);
  ASSERT_EQ(of_kind("desktop").size(), 2u);
  EXPECT_EQ(of_kind("desktop")[1].text, "https://firma1.example.pl");
}

TEST_F(ClassifierWindow, OkChecksTheValuesAndKeepsTheWindowOpen) {
  ClassifierValues v{};
  host.form_set("1101", "")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", "Musisz wypełnić pole dodatkowe Opiekun handlowy!")
      .form_set("1101", "Anna Nowak")
      .form_ok();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 1, v, 2), 1);
  EXPECT_EQ(v[0].str(), "Anna Nowak");
  EXPECT_EQ(v[1].str(), "2.50");
}

TEST_F(ClassifierWindow, AFilterHasAnOperatorPerFieldAndTheHint) {
  ClassifierValues v{};
  ClassifierMarks ops{};
  ops[1] = ">";
  host.form_set("1401", "zawiera").form_set("1101", "Brien").form_set("1402", "<=").form_ok();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 0, v, 0, &ops), 1);
  EXPECT_EQ(ops[0].str(), "zawiera");
  EXPECT_EQ(ops[1].str(), "<=");
  EXPECT_EQ(v[0].str(), "Brien");
  const ui_script::Shown shown = form();
  EXPECT_TRUE(has(shown.fields, "1402=<="));
  EXPECT_TRUE(
      has(shown.fields,
          "WSKAZOWKA=Dla operatora \"zawiera\" i \"nie zawiera\" można użyć znaków %,_\r\nZnak % zastępuje "
          "dowolny ciąg znaków.\r\nZnak _ zastępuje dowolny jeden znak."));
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Kontrahent", v, &ops), "A.pole1 like '%Brien%'");
}

TEST_F(ClassifierWindow, AFilterRequiresNoValue) {
  ClassifierValues v{};
  ClassifierMarks ops{};
  // The contractors' Opiekun handlowy is required; a filter on the discount alone leaves it empty.
  host.form_set("1402", ">").form_set("1102", "3").form_ok();
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 0, v, 0, &ops), 1);
  EXPECT_TRUE(of_kind("message").empty());
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Kontrahent", v, &ops), "cast(A.pole2 as real) >3.00");
}

TEST_F(ClassifierWindow, ANumberTakesOnlyTheNumberOperators) {
  ClassifierValues v{};
  ClassifierMarks ops{};
  host.form_set("1402", "zawiera").form_cancel();
  KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 0, v, 0, &ops);
  ASSERT_EQ(host.failures().size(), 1u);  // a drop list takes only one of its choices
  EXPECT_NE(host.failures()[0].find("1402"), std::string::npos);
  expected_failures = 1;
}

TEST_F(ClassifierWindow, ReadOnlyFieldsTakeNoTyping) {
  ClassifierValues v{};
  host.form_cancel();
  KLASYFIKATORY_OKNO("id_pracownika", "Pracownik", 3, v, 2);
  const ui_script::Shown shown = form();
  EXPECT_TRUE(has(shown.fields, "1103=3"));
  EXPECT_TRUE(has(shown.field_buttons, "1303=Skasuj zawartość pola (-)"));
  EXPECT_TRUE(has(shown.field_buttons, "1204=Otwórz stronę WWW"));
}

TEST_F(ClassifierWindow, AGroupWithoutActiveFieldsWarnsAndCloses) {
  ClassifierValues v{};
  host.answer("OK", "MIRLET: Ostrzeżenie",
              "Brak zdefiniowanych pól dodatkowych lub wszystkie pola są nieaktywne!|W celu definicji proszę "
              "wejść w funkcję Administrator->Definicje->Pola dodatkowe.");
  EXPECT_EQ(KLASYFIKATORY_OKNO("id_dokumentu_handlowego", "Dokument_handlowy", 1, v), 0);
  EXPECT_TRUE(of_kind("form").empty());
}

}  // namespace
}  // namespace keldox
