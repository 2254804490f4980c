// The dictionary forms in the Qt host on the demo database, in each mode: adding and editing opened from
// the browse with its keys on a real row, viewing opened on a record read into the table's buffer; titles,
// labels, values, what can be edited, the lookup button, and a picture of each.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <map>
#include <set>

#include "dane/record_store.h"
#include "dane/table.h"
#include "pattern/dictionary_form.h"
#include "qt_session.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

using testing::click_row;
using testing::close_browse;
using testing::QtDictionarySession;
using testing::read_list;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::when_shown;

using QtForms = QtDictionarySession;

// A form as a person finds it.
struct SeenForm {
  QString title;
  std::map<std::string, QString> labels;  // by field: the label beside its editor
  std::map<std::string, QString> texts;   // by field: what its line shows
  std::set<std::string> usable;           // editors and their buttons that take input
  bool lookup_button = false;             // the currency's country has one
  bool ok_enabled = false;

  // What the line of `field` shows; a form without that line shows no text at all.
  QString text(const std::string& field) const {
    const auto found = texts.find(field);
    return found == texts.end() ? QStringLiteral("<no line>") : found->second;
  }
};

SeenForm read_form(QWidget* form) {
  SeenForm seen;
  seen.title = form->windowTitle();
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->buddy()) seen.labels[label->buddy()->objectName().toStdString()] = label->text();
  }
  for (QLineEdit* line : form->findChildren<QLineEdit*>())
    seen.texts[line->objectName().toStdString()] = line->text();
  const auto note = [&](QWidget* editor) {
    if (editor->isEnabled()) seen.usable.insert(editor->objectName().toStdString());
  };
  for (QWidget* w : form->findChildren<QLineEdit*>()) note(w);
  for (QWidget* w : form->findChildren<QPlainTextEdit*>()) note(w);
  for (QWidget* w : form->findChildren<QComboBox*>()) note(w);
  for (QWidget* w : form->findChildren<QCheckBox*>()) note(w);
  for (QToolButton* button : form->findChildren<QToolButton*>()) {
    if (button->objectName().startsWith("lookup_") || button->objectName().endsWith("_calendar"))
      note(button);
  }
  seen.lookup_button = form->findChild<QToolButton*>(QStringLiteral("lookup_SYM_KRAJU")) != nullptr;
  if (auto* ok = form->findChild<QPushButton*>(QStringLiteral("ok"))) seen.ok_enabled = ok->isEnabled();
  return seen;
}

// Reads the form, saves its picture and leaves it with Anuluj.
std::function<void(QWidget*)> look_and_cancel(SeenForm& seen, std::string picture) {
  return [out = &seen, picture = std::move(picture)](QWidget* form) {
    *out = read_form(form);
    save_png(form, picture);
    if (auto* cancel = form->findChild<QPushButton*>(QStringLiteral("cancel"))) {
      cancel->click();
    } else {
      form->close();
    }
  };
}

// In the browse `procedure`: Insert on the list, then F2 on the row whose cell under `header` reads
// `text`, each form read and cancelled.
void insert_then_change(const QString& procedure, const QString& form, const QString& header,
                        const QString& text, SeenForm& inserted, SeenForm& changed, const std::string& name) {
  when_shown(procedure, [=, first = &inserted, second = &changed](QWidget* browse) {
    auto* view = child<QTableView>(browse, "list");
    if (view) {
      when_shown(form, look_and_cancel(*first, name + "_form_insert"));
      QTest::keyClick(view, Qt::Key_Insert);
      const int row = read_list(view).row_with(header, text);
      EXPECT_GE(row, 0) << text.toStdString() << " is not on the first page";
      if (row >= 0) {
        click_row(view, row);
        when_shown(form, look_and_cancel(*second, name + "_form_change"));
        QTest::keyClick(view, Qt::Key_F2);
      }
    }
    close_browse(browse);
  });
}

// The form opened in view mode on the record with `key`, read into the table's buffer first.
SeenForm view_record(const Description& d, const std::vector<std::string>& key, const std::string& picture) {
  dane::Table& table = *dane::find_table(d.table);
  dane::TableRecordStore store(table);
  table.open();
  SeenForm seen;
  EXPECT_TRUE(store.fetch(key).ok());
  when_shown(QString::fromStdString(d.form), look_and_cancel(seen, picture));
  dane::GLOBALREQUEST = static_cast<std::uint8_t>(dane::Request::View);
  EXPECT_EQ(run_dictionary_form(d, store), dane::Response::Cancelled);
  table.close();
  return seen;
}

TEST_F(QtForms, CurrencyFormInEachModeWithTheCountryLookup) {
  SeenForm inserted, changed;
  insert_then_change("Waluty_Brw", "Waluty_Upd", "Waluta", "EUR", inserted, changed, "currencies");
  dane::GLOBALREQUEST = 0;
  WALUTY_BRW();
  const SeenForm viewed = view_record(currencies(), {"GBP"}, "currencies_form_view");

  const std::map<std::string, QString> labels{{"SYM_WALUTY", "Waluta"},
                                              {"NAZWA_WALUTY", "Nazwa waluty"},
                                              {"MNOZNIK_WALUTY", "Mnożnik"},
                                              {"SYM_KRAJU", "Kraj"}};
  const std::set<std::string> editors{"SYM_WALUTY", "NAZWA_WALUTY", "MNOZNIK_WALUTY", "SYM_KRAJU",
                                      "lookup_SYM_KRAJU"};
  EXPECT_EQ(inserted.title, "Dodawanie waluty");
  EXPECT_EQ(inserted.labels, labels);
  EXPECT_EQ(inserted.usable, editors);
  EXPECT_TRUE(inserted.lookup_button);
  EXPECT_TRUE(inserted.ok_enabled);
  EXPECT_EQ(inserted.text("SYM_WALUTY"), "");
  EXPECT_EQ(inserted.text("MNOZNIK_WALUTY"), "1");

  EXPECT_EQ(changed.title, "Edycja waluty");
  EXPECT_EQ(changed.usable, editors);
  EXPECT_TRUE(changed.ok_enabled);
  EXPECT_EQ(changed.text("SYM_WALUTY"), "EUR");
  EXPECT_EQ(changed.text("NAZWA_WALUTY"), "euro");
  EXPECT_EQ(changed.text("SYM_KRAJU"), "EU");

  EXPECT_EQ(viewed.title, "View Record");
  EXPECT_EQ(viewed.labels, labels);
  EXPECT_EQ(viewed.usable, std::set<std::string>{});
  EXPECT_TRUE(viewed.lookup_button);
  EXPECT_FALSE(viewed.ok_enabled);
  EXPECT_EQ(viewed.text("SYM_WALUTY"), "GBP");
  EXPECT_EQ(viewed.text("NAZWA_WALUTY"), "funt szterling");
  EXPECT_EQ(viewed.text("SYM_KRAJU"), "GB");
  EXPECT_EQ(value_of("select NAZWA_WALUTY from WALUTY where SYM_WALUTY='EUR'"), "euro");
}

// The folder button beside the country opens the countries to choose from; the chosen symbol fills the
// field, and nothing is saved until OK.
TEST_F(QtForms, TheCountryLookupButtonOpensTheCountriesAndTakesTheChosenSymbol) {
  QString before, after, chooser_title;
  bool select_button = false;
  when_shown("Waluty_Brw", [&](QWidget* browse) {
    auto* view = child<QTableView>(browse, "list");
    const int euro = view ? read_list(view).row_with("Waluta", "EUR") : -1;
    if (euro >= 0) {
      click_row(view, euro);
      when_shown("Waluty_Upd", [&](QWidget* form) {
        auto* country = child<QLineEdit>(form, "SYM_KRAJU");
        auto* lookup = child<QToolButton>(form, "lookup_SYM_KRAJU");
        if (country && lookup) {
          before = country->text();
          when_shown("Kraj_Brw", [&](QWidget* chooser) {
            chooser_title = chooser->windowTitle();
            select_button = chooser->findChild<QPushButton*>(QStringLiteral("select")) != nullptr;
            auto* locator = child<QLineEdit>(chooser, "locator");
            if (locator) QTest::keyClicks(locator, "Niem");
            save_png(chooser, "countries_browse_select");
            if (locator) QTest::keyClick(locator, Qt::Key_Return);
            if (chooser->isVisible()) close_browse(chooser);
          });
          lookup->click();
          after = country->text();
        }
        if (auto* cancel = form->findChild<QPushButton*>(QStringLiteral("cancel"))) cancel->click();
      });
      QTest::keyClick(view, Qt::Key_F2);
    }
    close_browse(browse);
  });
  dane::GLOBALREQUEST = 0;
  WALUTY_BRW();
  EXPECT_EQ(chooser_title, "Kraje");
  EXPECT_TRUE(select_button);
  EXPECT_EQ(before, "EU");
  EXPECT_EQ(after, "DE");
  EXPECT_EQ(value_of("select SYM_KRAJU from WALUTY where SYM_WALUTY='EUR'"), "EU");
}

TEST_F(QtForms, BankFormInEachModeAndTheRowLockGoesWithTheForm) {
  SeenForm inserted, changed;
  insert_then_change("Banki_Brw", "Banki_Upd", "Nazwa banku", "PKO Bank Polski S.A.", inserted, changed,
                     "banks");
  BANKI_BRW();
  const SeenForm viewed = view_record(banks(), {"1"}, "banks_form_view");

  const std::map<std::string, QString> labels{{"NAZWA", "Nazwa banku"}, {"NUMER_BANKU", "Nr banku"},
                                              {"SWIFT", "SWIFT"},       {"ULICA_LOKAL", "Adres"},
                                              {"KOD_POCZTOWY", "Kod"},  {"MIEJSCOWOSC", "Miejscowość"}};
  const std::set<std::string> editors{"NAZWA",       "NUMER_BANKU",  "SWIFT",
                                      "ULICA_LOKAL", "KOD_POCZTOWY", "MIEJSCOWOSC"};
  EXPECT_EQ(inserted.title, "Dodawanie banku");
  EXPECT_EQ(inserted.labels, labels);
  EXPECT_EQ(inserted.usable, editors);
  EXPECT_TRUE(inserted.ok_enabled);
  EXPECT_EQ(inserted.text("NAZWA"), "");

  EXPECT_EQ(changed.title, "Edycja banku");
  EXPECT_EQ(changed.usable, editors);
  EXPECT_EQ(changed.text("NAZWA"), "PKO Bank Polski S.A.");
  EXPECT_EQ(changed.text("SWIFT"), "BPKOPLPW");
  EXPECT_EQ(changed.text("MIEJSCOWOSC"), "Warszawa");
  // Cancelling the edit let go of the row for other workstations.
  EXPECT_EQ(value_of("select isnull(SEMAFOR,0) from BANKI where NAZWA='PKO Bank Polski S.A.'"), "0");

  EXPECT_EQ(viewed.title, "View Record");
  EXPECT_EQ(viewed.labels, labels);
  EXPECT_EQ(viewed.usable, std::set<std::string>{});
  EXPECT_FALSE(viewed.ok_enabled);
  EXPECT_EQ(viewed.text("NAZWA"), "Narodowy Bank Polski");
  EXPECT_EQ(viewed.text("SWIFT"), "NBPLPLPW");
}

TEST_F(QtForms, CountryFormInEachModeWithItsOwnViewTitle) {
  SeenForm inserted, changed;
  insert_then_change("Kraj_Brw", "Kraj_Upd", "Symbol kraju", "DE", inserted, changed, "countries");
  KRAJ_BRW();
  const SeenForm viewed = view_record(countries(), {"CZ"}, "countries_form_view");

  const std::map<std::string, QString> labels{{"SYM_KRAJU", "Symbol kraju"}, {"NAZWA_KRAJU", "Nazwa kraju"}};
  const std::set<std::string> editors{"SYM_KRAJU", "NAZWA_KRAJU"};
  EXPECT_EQ(inserted.title, "Dodawanie kraju");
  EXPECT_EQ(inserted.labels, labels);
  EXPECT_EQ(inserted.usable, editors);
  EXPECT_TRUE(inserted.ok_enabled);
  EXPECT_FALSE(inserted.lookup_button);

  EXPECT_EQ(changed.title, "Edycja kraju");
  EXPECT_EQ(changed.usable, editors);
  EXPECT_EQ(changed.text("SYM_KRAJU"), "DE");
  EXPECT_EQ(changed.text("NAZWA_KRAJU"), "Niemcy");

  EXPECT_EQ(viewed.title, "Podgląd kraju");
  EXPECT_EQ(viewed.labels, labels);
  EXPECT_EQ(viewed.usable, std::set<std::string>{});
  EXPECT_FALSE(viewed.ok_enabled);
  EXPECT_EQ(viewed.text("SYM_KRAJU"), "CZ");
  EXPECT_EQ(viewed.text("NAZWA_KRAJU"), "Czechy");
}

}  // namespace
}  // namespace slownik
