// The discount converter and the change calculator in the Qt host: amounts in their pictures, to the right,
// and a refused amount that keeps the focus on its field.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "keldox/price_windows.h"
#include "qt_session.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_box_shown;
using ui_qt::testing::when_shown;

using QtPriceWindows = QtDictionarySession;

// Types into a line as a person does and leaves it with Tab.
void type_into(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
  settle();
}

TEST_F(QtPriceWindows, TheConverterShowsItsAmountsToTheRightAndRecomputesFromATypedAmount) {
  double percentage = -10, price = 90;
  QString base, amount, result, percent_after;
  bool right = false;
  when_shown("PrzelicznikRabatu", [&](QWidget* w) {
    auto* base_edit = child<QLineEdit>(w, "CENA_BAZOWA");
    auto* amount_edit = child<QLineEdit>(w, "KWOTA");
    auto* percent_edit = child<QLineEdit>(w, "PROCENT");
    if (base_edit && amount_edit && percent_edit) {
      base = base_edit->text();
      amount = amount_edit->text();
      right = (amount_edit->alignment() & Qt::AlignRight) != 0;
      save_png(w, "discount_converter");
      type_into(amount_edit, "-25");
      percent_after = percent_edit->text();
      if (auto* r = child<QLineEdit>(w, "CENA")) result = r->text();
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    if (w->isVisible()) w->close();
  });
  keldox::PRZELICZNIKRABATU(percentage, price, "Brutto");
  EXPECT_EQ(base, "100,00");
  EXPECT_EQ(amount, "-10,00");
  EXPECT_TRUE(right);
  EXPECT_EQ(percent_after, "-25,00");
  EXPECT_EQ(result, "75,00");
  EXPECT_DOUBLE_EQ(percentage, -25);
  EXPECT_DOUBLE_EQ(price, 75);
}

TEST_F(QtPriceWindows, TooLittlePaidIsRefusedAndTheFocusStaysOnThePayment) {
  double due = 123.45, paid = 0, change = 0;
  QString warning, focused, shown_change;
  when_shown("WydawanieReszty", [&](QWidget* w) {
    auto* paid_edit = child<QLineEdit>(w, "WPLATA");
    if (paid_edit) {
      when_box_shown([&](QMessageBox* box) {
        warning = box->text();
        box->accept();
      });
      type_into(paid_edit, "100");
      for (int i = 0; i < 100 && warning.isEmpty(); ++i) settle();
      settle();
      if (QWidget* f = w->focusWidget()) focused = f->objectName();
      type_into(paid_edit, "200");
      if (auto* c = child<QLineEdit>(w, "RESZTA")) shown_change = c->text();
      save_png(w, "change_calculator");
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
    if (w->isVisible()) w->close();
  });
  keldox::WYDAWANIERESZTY(due, paid, change);
  EXPECT_EQ(warning, "Proszę wprowadzić kwotę większą od należności!");
  EXPECT_EQ(focused, "WPLATA");
  EXPECT_EQ(shown_change, "76,55");
  EXPECT_DOUBLE_EQ(change, 76.55);
  EXPECT_EQ(dane::GLOBALRESPONSE, 1);
}

}  // namespace
}  // namespace slownik
