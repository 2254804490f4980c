// The dictionaries of additional fields in the Qt host: the list with its values button, the values of a
// number dictionary to the right in their picture, and the picker of a date dictionary with its calendar.
#include <QPushButton>

#include "qt_session.h"
#include "runtime/date.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::close_browse;
using testing::QtDictionarySession;
using testing::read_list;
using testing::save_png;
using testing::ShownList;
using ui_qt::testing::child;
using ui_qt::testing::when_shown;

class QtClassifierDictionaries : public QtDictionarySession {
 protected:
  std::uint32_t add(const std::string& name, const std::string& type, const std::string& picture,
                    const std::vector<std::string>& values) {
    EXPECT_TRUE(database_.run("insert into KLASYFIKATOR_SLOWNIK (NAZWA, TYP_DANYCH, MASKA) values ('" + name +
                              "','" + type + "','" + picture + "')"));
    const std::string id =
        value_of("select ID_SLOWNIKA from KLASYFIKATOR_SLOWNIK where NAZWA='" + name + "'");
    for (const std::string& v : values) {
      EXPECT_TRUE(database_.run("insert into KLASYFIKATOR_SLOWNIK_WAR (ID_SLOWNIKA, WARTOSC) values (" + id +
                                ",'" + v + "')"));
    }
    return static_cast<std::uint32_t>(std::stoul(id));
  }
};

TEST_F(QtClassifierDictionaries, TheListOffersTheValuesOfTheCurrentDictionary) {
  add("Opakowania zbiorcze", "liczba", "n14_`2", {"1250.5", "12.25"});
  ShownList dictionaries, values;
  QString values_title;
  bool values_button = false;
  when_shown("Slownik_klas_brw", [&](QWidget* w) {
    auto* view = child<QTableView>(w, "list");
    if (view) dictionaries = read_list(view);
    save_png(w, "classifier_dictionaries_browse");
    auto* button = w->findChild<QPushButton*>(QStringLiteral("wartosci"));
    values_button = button && button->isVisible() && button->isEnabled();
    if (view) {
      const int row = dictionaries.row_with("Nazwa słownika", "Opakowania zbiorcze");
      if (row >= 0) view->setCurrentIndex(view->model()->index(row, 0));
    }
    when_shown("Slownik_klas_war_brw", [&](QWidget* v) {
      values_title = v->windowTitle();
      if (auto* list = child<QTableView>(v, "list")) values = read_list(list);
      save_png(v, "classifier_dictionary_values_browse");
      close_browse(v);
    });
    if (button) button->click();
    close_browse(w);
  });
  SLOWNIK_KLAS_BRW();
  EXPECT_EQ(dictionaries.headers, (std::vector<QString>{"Nazwa słownika", "Typ danych", "Format"}));
  EXPECT_TRUE(values_button);
  EXPECT_EQ(values_title, "Wartości słownika Opakowania zbiorcze");
  EXPECT_EQ(values.headers, (std::vector<QString>{"Wartości"}));
  EXPECT_EQ(values.column("Wartości"), (std::vector<QString>{"12,25", "1250,50"}));
  ASSERT_EQ(values.right.size(), 2u);
  EXPECT_TRUE(values.right[0][0]);
}

TEST_F(QtClassifierDictionaries, ThePickerOfADateDictionaryShowsDatesAndHandsBackTheChosenDay) {
  const std::string first = std::to_string(runtime::make_day(2027, 1, 15));
  const std::string second = std::to_string(runtime::make_day(2027, 3, 1));
  const std::uint32_t id = add("Terminy dostaw", "data", "d17", {first, second});
  ShownList shown;
  QString title;
  when_shown("Slownik_klaswar_brw", [&](QWidget* w) {
    title = w->windowTitle();
    auto* view = child<QTableView>(w, "list");
    if (view) shown = read_list(view);
    save_png(w, "classifier_value_picker");
    if (auto* select = w->findChild<QPushButton*>(QStringLiteral("select"))) select->click();
  });
  const auto chosen = pick_classifier_value(id, second);
  EXPECT_EQ(title, "Słownik Terminy dostaw");
  EXPECT_EQ(shown.column("Wartości"), (std::vector<QString>{"15.01.2027", "01.03.2027"}));
  // The picker opened on the value it was given, and that is the row chosen.
  EXPECT_EQ(chosen, second);
}

}  // namespace
}  // namespace slownik
