// The setting profiles in the Qt host: the context's positions in a drop list, the chosen one's description
// with its default below, and the value kept per position.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "qt_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::close_browse;
using testing::QtDictionarySession;
using testing::read_list;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_shown;

using QtSettingProfiles = QtDictionarySession;

TEST_F(QtSettingProfiles, TheFormOffersTheContextsPositionsAndDescribesTheChosenOne) {
  std::vector<QString> positions, names;
  QString description, value;
  when_shown("profile_ustawien_brw", [&](QWidget* browse) {
    auto* view = child<QTableView>(browse, "list");
    if (view) names = read_list(view).column("Nazwa wariantu");
    save_png(browse, "setting_profiles_browse");
    when_shown("profile_ustawien_upd", [&](QWidget* form) {
      auto* position = child<QComboBox>(form, "POZYCJA");
      auto* opis = child<QPlainTextEdit>(form, "OPIS");
      auto* wartosc = child<QLineEdit>(form, "WARTOSC");
      if (position && opis && wartosc) {
        for (int i = 0; i < position->count(); ++i) positions.push_back(position->itemText(i));
        position->setCurrentIndex(position->findText("XMLKodowanie"));
        settle();
        description = opis->toPlainText();
        value = wartosc->text();
        save_png(form, "setting_profiles_form");
      }
      if (auto* cancel = form->findChild<QPushButton*>(QStringLiteral("cancel"))) cancel->click();
    });
    if (auto* change = browse->findChild<QPushButton*>(QStringLiteral("change"))) change->click();
    close_browse(browse);
  });
  PROFILE_USTAWIEN_BRW("XML");
  EXPECT_EQ(names, (std::vector<QString>{"Sieć handlowa Północ", "Standard"}));
  EXPECT_EQ(positions,
            (std::vector<QString>{"XMLEksportCen", "XMLKatalog", "XMLKodowanie", "XMLWersjaSchematu"}));
  EXPECT_EQ(description, "Kodowanie znaków plików XML\nWartość domyślna: UTF-8");
  EXPECT_EQ(value, "Windows-1250");
}

}  // namespace
}  // namespace slownik
