// The credit-limit window in the Qt host: the payer's figures to the right, the overdue label with its
// days, the one "Zamknij" button of the showing mode and the decision that warns.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "dane/table.h"
#include "keldox/credit_limits.h"
#include "qt_session.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_box_shown;
using ui_qt::testing::when_shown;

using QtCreditLimit = QtDictionarySession;

QStringList labels(QWidget* w) {
  QStringList out;
  for (QLabel* l : w->findChildren<QLabel*>()) out << l->text();
  return out;
}

TEST_F(QtCreditLimit, TheShowingWindowHasOnlyItsCloseButtonAndTheDaysAfterTheDueDate) {
  QString receivables, overdue_label, close_text;
  bool ok_visible = true, right = false;
  when_shown("LimitKupiecki", [&](QWidget* w) {
    if (auto* r = child<QLineEdit>(w, "NALEZNOSCI")) {
      receivables = r->text();
      right = (r->alignment() & Qt::AlignRight) != 0;
    }
    for (const QString& l : labels(w)) {
      if (l.contains(QStringLiteral("Przeterminowane"))) overdue_label = l;
    }
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) ok_visible = ok->isVisible();
    auto* close = w->findChild<QPushButton*>(QStringLiteral("cancel"));
    if (close) close_text = close->text();
    save_png(w, "credit_limit");
    if (close) close->click();
    if (w->isVisible()) w->close();
  });
  EXPECT_EQ(keldox::LIMITKUPIECKI(1, 900003, 900003, 0, 0), 0);
  EXPECT_EQ(receivables, "2 150,40");
  EXPECT_TRUE(right);
  EXPECT_EQ(overdue_label, "Przeterminowane należności (14 dni po terminie)");
  EXPECT_FALSE(ok_visible);
  EXPECT_EQ(close_text, "Zamknij");
}

TEST_F(QtCreditLimit, TheDecisionOverTheLimitWarnsAndRefusesTheDocument) {
  dane::Table& document = *dane::find_table("DOKH");
  ASSERT_TRUE(document.open().ok());
  document.clear();
  document.set_number("ID_DOKUMENTU_HANDLOWEGO", 900005);
  ASSERT_TRUE(document.fetch("PK_DOKUMENT_HANDLOWY").ok());
  QString warning, decision_text, transaction;
  when_shown("LimitKupiecki", [&](QWidget* w) {
    if (auto* t = child<QLineEdit>(w, "TRANSAKCJA")) transaction = t->text();
    when_box_shown([&](QMessageBox* box) {
      warning = box->text();
      box->accept();
    });
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("ok"))) {
      decision_text = ok->text();
      save_png(w, "credit_limit_decision");
      ok->click();
    }
    for (int i = 0; i < 100 && warning.isEmpty(); ++i) settle();
    if (w->isVisible()) w->close();
  });
  EXPECT_EQ(keldox::WALIDACJALIMITU(900005, 900005, 4, 20000, 0), 1);
  document.close();
  EXPECT_EQ(decision_text, "Sprawdź limit");
  EXPECT_EQ(transaction, "6 000,00");
  EXPECT_TRUE(warning.startsWith(QStringLiteral("Suma wszystkich należności i kwoty transakcji")))
      << warning.toStdString();
}

}  // namespace
}  // namespace slownik
