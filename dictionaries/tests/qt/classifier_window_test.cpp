// The classifier window in the Qt host on the demo's article fields: each row's editor and buttons as a
// person sees them, a button that clears a value, the operator lists beside the values of a filter.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "keldox/classifiers.h"
#include "qt_session.h"
#include "tests/classifier_support.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_shown;

class QtClassifierWindow : public QtDictionarySession {
 protected:
  void SetUp() override {
    QtDictionarySession::SetUp();
    dane::GLO.KOL_KLASYFIKATOROW.clear();
    keldox::testing::load_definitions_from_database();
  }
};

TEST_F(QtClassifierWindow, RowsShowTheirValuesAndButtonsAndClearingEmptiesOne) {
  QString colour, size_before, size_after, weight, stock, clear_text, sheet_open, dictionary;
  bool stock_enabled = true, weight_right = false, date_right = false, calendar_twice = true;
  when_shown("Klasyfikatory_Okno", [&](QWidget* w) {
    auto* kolor = child<QLineEdit>(w, "1101");
    auto* rozmiar = child<QComboBox>(w, "1102");
    auto* stan = child<QLineEdit>(w, "1104");
    auto* data = child<QLineEdit>(w, "1106");
    auto* waga = child<QLineEdit>(w, "1107");
    auto* clear = child<QPushButton>(w, "1302");
    auto* open = child<QPushButton>(w, "1505");
    auto* slownik = child<QPushButton>(w, "1208");
    if (kolor && rozmiar && stan && data && waga && clear && open && slownik) {
      colour = kolor->text();
      size_before = rozmiar->currentText();
      stock = stan->text();
      stock_enabled = stan->isEnabled();
      weight = waga->text();
      weight_right = (waga->alignment() & Qt::AlignRight) != 0;
      date_right = (data->alignment() & Qt::AlignRight) != 0;
      calendar_twice = w->findChild<QWidget*>(QStringLiteral("1106_calendar")) != nullptr;
      clear_text = clear->text();
      sheet_open = open->text();
      dictionary = slownik->text();
      save_png(w, "classifier_window");
      clear->click();
      settle();
      size_after = rozmiar->currentText();
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    if (w->isVisible()) w->close();
  });
  keldox::ClassifierValues v{};
  EXPECT_EQ(keldox::KLASYFIKATORY_OKNO("id_artykulu", "Artykul", 101, v, 2), 1);
  EXPECT_EQ(colour, "Zielony");
  EXPECT_EQ(size_before, "L");
  EXPECT_EQ(stock, "14,00");
  EXPECT_FALSE(stock_enabled);
  EXPECT_EQ(weight, "1,850");
  EXPECT_TRUE(weight_right);
  EXPECT_TRUE(date_right);
  EXPECT_FALSE(calendar_twice);  // the row's own "Otwórz kalendarz" stands for the calendar
  EXPECT_EQ(clear_text, "Skasuj zawartość pola");
  EXPECT_EQ(sheet_open, "Otwórz aplikację skojarzoną");
  EXPECT_EQ(dictionary, "Otwórz słownik");
  EXPECT_EQ(size_after, "");
  EXPECT_EQ(v[0].str(), "Zielony");
  EXPECT_EQ(v[1].str(), "");
}

TEST_F(QtClassifierWindow, AFilterShowsAnOperatorListBesideEachValue) {
  QStringList text_operators, number_operators;
  bool same_row = false;
  QString hint;
  when_shown("Klasyfikatory_Okno", [&](QWidget* w) {
    auto* op1 = child<QComboBox>(w, "1401");
    auto* op2 = child<QComboBox>(w, "1402");
    auto* value1 = child<QLineEdit>(w, "1101");
    auto* note = child<QPlainTextEdit>(w, "WSKAZOWKA");
    if (op1 && op2 && value1 && note) {
      for (int i = 0; i < op1->count(); ++i) text_operators << op1->itemText(i);
      for (int i = 0; i < op2->count(); ++i) number_operators << op2->itemText(i);
      same_row = op1->parentWidget() == value1->parentWidget() ||
                 op1->parentWidget() == value1->parentWidget()->parentWidget();
      hint = note->toPlainText();
      op1->setCurrentIndex(op1->findText("nie zawiera"));
      value1->setFocus();
      value1->setText("Kowal");
      save_png(w, "classifier_window_filter");
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    if (w->isVisible()) w->close();
  });
  keldox::ClassifierValues v{};
  keldox::ClassifierMarks ops{};
  EXPECT_EQ(keldox::KLASYFIKATORY_OKNO("id_kontrahenta", "Kontrahent", 0, v, 0, &ops), 1);
  EXPECT_EQ(text_operators.join("|"), "|=|>|>=|<|<=|<>|zawiera|nie zawiera");
  EXPECT_EQ(number_operators.join("|"), "|=|>|>=|<|<=|<>");
  EXPECT_TRUE(same_row);
  EXPECT_TRUE(hint.startsWith("Dla operatora \"zawiera\""));
  EXPECT_EQ(ops[0].str(), "nie zawiera");
  EXPECT_EQ(v[0].str(), "Kowal");
  EXPECT_EQ(keldox::KLASYFIKATORY_UTWORZSQL("Kontrahent", v, &ops), "A.pole1 not like '%Kowal%'");
}

}  // namespace
}  // namespace slownik
