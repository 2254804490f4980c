// Form fields in the Qt host: lines in their pictures, shown formatted, read back on leaving and on OK, a
// warning for text that is no value, the calendar of date fields, drop lists, check boxes, several lines,
// lookups with their button, fields that hide, and the stand-alone calendar in Polish.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "dane/form.h"
#include "qt_test_support.h"
#include "runtime/date.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using dane::Response;
using testing::child;
using testing::expect_png_files;
using testing::settle;
using testing::when_box_shown;
using testing::when_shown;

const runtime::DayNumber kDecember7 = runtime::make_day(2026, 12, 7);

class DeliveryForm : public dane::FormWindow {
 public:
  DeliveryForm() : FormWindow("Dostawa_Upd") {
    add_field({"DATA", "Data dostawy", "@d17", std::to_string(kDecember7), true});
    add_field({"KWOTA", "Kwota", "@n-14`2", "1234.5", true});
    add_field({"UWAGI", "Uwagi", "@s5", "", true});
    add_field({"HASLO", "Hasło", "@s20", "", true, true});
    set_mode_titles("Dostawa", "Dostawa");
  }
};

void press_box_button(QMessageBox* box, const QString& text) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == text) return button->click();
  }
  ADD_FAILURE() << "no button " << text.toStdString() << " in the box";
  box->reject();
}

// The form's own focus: after a box closes the offscreen platform may not make the form active again.
QString focus_name(QWidget* window) {
  return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

class QtFormFields : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host); }
  void TearDown() override { dane::install_host(nullptr); }
  QtHost host;
  DeliveryForm form;
};

TEST_F(QtFormFields, ShowsValuesInTheirPicturesAndStoresWhatIsTyped) {
  QString date, amount;
  bool amount_right = false, password_hidden = false;
  int note_length = 0;
  when_shown("Dostawa_Upd", [&](QWidget* w) {
    auto* data = child<QLineEdit>(w, "DATA");
    auto* kwota = child<QLineEdit>(w, "KWOTA");
    date = data->text();
    amount = kwota->text();
    amount_right = kwota->alignment() & Qt::AlignRight;
    password_hidden = child<QLineEdit>(w, "HASLO")->echoMode() == QLineEdit::Password;
    note_length = child<QLineEdit>(w, "UWAGI")->maxLength();
    data->setText("1.2.2027");
    kwota->setText("2 000,5");
    child<QLineEdit>(w, "HASLO")->setText("tajne");
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  EXPECT_EQ(date, "07.12.2026");
  EXPECT_EQ(amount, "1 234,50");
  EXPECT_TRUE(amount_right);
  EXPECT_TRUE(password_hidden);
  EXPECT_EQ(note_length, 5);
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2027, 2, 1)));
  EXPECT_EQ(form.value("KWOTA"), "2000.50");
  EXPECT_EQ(form.value("HASLO"), "tajne");
}

TEST_F(QtFormFields, TextThatIsNoValueWarnsKeepsTheTextAndTheFocusAndLosesNothing) {
  QString leaving_warning, ok_warning, focus_after_leaving, text_after_leaving, focus_after_ok;
  bool open_after_ok = false;
  when_shown("Dostawa_Upd", [&](QWidget* w) {
    auto* data = child<QLineEdit>(w, "DATA");
    auto* kwota = child<QLineEdit>(w, "KWOTA");
    kwota->setText("99");
    data->setFocus();
    data->setText("32.13.2020");
    when_box_shown([&](QMessageBox* box) {
      leaving_warning = box->text();
      press_box_button(box, "OK");
    });
    kwota->setFocus();  // leaving the date
    settle();
    settle();
    focus_after_leaving = focus_name(w);
    text_after_leaving = data->text();
    when_box_shown([&](QMessageBox* box) {
      ok_warning = box->text();
      press_box_button(box, "OK");
    });
    child<QPushButton>(w, "ok")->click();
    settle();
    open_after_ok = w->isVisible();
    focus_after_ok = focus_name(w);
    data->setText("05.01.2026");
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  EXPECT_EQ(leaving_warning, "Niepoprawna wartość pola Data dostawy");
  EXPECT_EQ(ok_warning, "Niepoprawna wartość pola Data dostawy");
  EXPECT_EQ(focus_after_leaving, "DATA");
  EXPECT_EQ(text_after_leaving, "32.13.2020");
  EXPECT_TRUE(open_after_ok);
  EXPECT_EQ(focus_after_ok, "DATA");
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2026, 1, 5)));
  EXPECT_EQ(form.value("KWOTA"), "99.00");
}

TEST_F(QtFormFields, TheCalendarButtonOpensOnTheFieldsDateAndPutsTheChosenOneIn) {
  QDate opened_on;
  QString shown_after;
  when_shown("Dostawa_Upd", [&](QWidget* w) {
    when_shown("choose_date", [&](QWidget* dialog) {
      auto* calendar = child<QCalendarWidget>(dialog, "calendar");
      opened_on = calendar->selectedDate();
      calendar->setSelectedDate(QDate(2026, 1, 5));
      child<QPushButton>(dialog, "ok")->click();
    });
    child<QToolButton>(w, "DATA_calendar")->click();
    shown_after = child<QLineEdit>(w, "DATA")->text();
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  EXPECT_EQ(opened_on, QDate(2026, 12, 7));
  EXPECT_EQ(shown_after, "05.01.2026");
  EXPECT_EQ(form.value("DATA"), std::to_string(runtime::make_day(2026, 1, 5)));
}

dane::Field field_of_kind(const char* name, const char* label, const char* picture, dane::FieldKind kind,
                          std::string value = {}) {
  dane::Field f{name, label, picture, std::move(value)};
  f.kind = kind;
  return f;
}

// An order whose currency is looked up in another dictionary, whose kind is one of two, and whose country
// is asked only for a foreign order.
class OrderForm : public dane::FormWindow {
 public:
  OrderForm() : FormWindow("Zamowienie_Upd") {
    add_field(field_of_kind("WALUTA", "Waluta", "@s3", dane::FieldKind::Lookup, "PLN"));
    dane::Field kind = field_of_kind("RODZAJ", "Rodzaj", "@s10", dane::FieldKind::Choice, "Zakup");
    kind.choices = {"Zakup", "Sprzedaż"};
    add_field(kind);
    add_field(field_of_kind("ZAGRANICZNE", "Zagraniczne", "", dane::FieldKind::Check, "0"));
    dane::Field country = field_of_kind("KRAJ", "Kraj", "@s20", dane::FieldKind::Text);
    country.visible = false;
    add_field(country);
    add_field(field_of_kind("OPIS", "Opis", "@s200", dane::FieldKind::Memo));
    set_mode_titles("Zamówienie", "Zamówienie");
  }
  std::vector<std::string> lookups;

 protected:
  void on_lookup(std::string_view name) override {
    lookups.emplace_back(name);
    // The first call chooses a currency, the second is cancelled.
    if (lookups.size() == 1) mutable_field(name)->value = "EUR";
  }
  bool validate_field(std::string_view name) override {
    if (name == "ZAGRANICZNE") set_visible("KRAJ", value(name) == "1");
    return true;
  }
};

TEST(QtFormKinds, DropListCheckBoxLinesAndLookupEditTheirValuesAndACheckShowsAField) {
  QtHost host;
  dane::install_host(&host);
  OrderForm form;
  QString currency_after_lookup, currency_after_cancelled_lookup;
  std::vector<QString> choices;
  bool country_before = true, country_after = false, folder_icon = false;
  when_shown("Zamowienie_Upd", [&](QWidget* w) {
    auto* combo = child<QComboBox>(w, "RODZAJ");
    for (int i = 0; i < combo->count(); ++i) choices.push_back(combo->itemText(i));
    QTest::keyClick(combo, Qt::Key_Down);
    country_before = child<QLineEdit>(w, "KRAJ")->isVisible();
    child<QCheckBox>(w, "ZAGRANICZNE")->click();
    country_after = child<QLineEdit>(w, "KRAJ")->isVisible();
    auto* lookup = child<QToolButton>(w, "lookup_WALUTA");
    folder_icon = !lookup->icon().isNull();
    lookup->click();
    currency_after_lookup = child<QLineEdit>(w, "WALUTA")->text();
    child<QLineEdit>(w, "WALUTA")->setText("US");
    lookup->click();  // nothing chosen: what was typed stays
    currency_after_cancelled_lookup = child<QLineEdit>(w, "WALUTA")->text();
    child<QLineEdit>(w, "WALUTA")->setText("USD");
    auto* memo = child<QPlainTextEdit>(w, "OPIS");
    memo->setFocus();
    memo->setPlainText("Dostawa do\nmagazynu 2");
    child<QLineEdit>(w, "KRAJ")->setFocus();  // leaving the lines accepts them
    settle();
    child<QLineEdit>(w, "KRAJ")->setText("Niemcy");
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  dane::install_host(nullptr);
  EXPECT_EQ(choices, (std::vector<QString>{"Zakup", "Sprzedaż"}));
  EXPECT_EQ(form.value("RODZAJ"), "Sprzedaż");
  EXPECT_FALSE(country_before);
  EXPECT_TRUE(country_after);
  EXPECT_EQ(form.value("ZAGRANICZNE"), "1");
  EXPECT_TRUE(folder_icon);
  EXPECT_EQ(form.lookups, (std::vector<std::string>{"WALUTA", "WALUTA"}));
  EXPECT_EQ(currency_after_lookup, "EUR");
  EXPECT_EQ(currency_after_cancelled_lookup, "US");
  EXPECT_EQ(form.value("WALUTA"), "USD");
  EXPECT_EQ(form.value("OPIS"), "Dostawa do\nmagazynu 2");
  EXPECT_EQ(form.value("KRAJ"), "Niemcy");
}

TEST(QtFormKinds, AHiddenFieldIsNotShownAndAReadOnlyFormDisablesEveryKind) {
  QtHost host;
  dane::install_host(&host);
  OrderForm form;
  form.set_request(dane::Request::View);
  bool country_shown = true, label_shown = true;
  std::vector<bool> enabled;
  when_shown("Zamowienie_Upd", [&](QWidget* w) {
    country_shown = child<QLineEdit>(w, "KRAJ")->isVisible();
    label_shown = false;
    for (QLabel* label : w->findChildren<QLabel*>())
      label_shown = label_shown || (label->text() == "Kraj" && label->isVisible());
    for (const char* name : {"WALUTA", "RODZAJ", "ZAGRANICZNE", "OPIS", "lookup_WALUTA", "ok"})
      enabled.push_back(child<QWidget>(w, name)->isEnabled());
    child<QToolButton>(w, "lookup_WALUTA")->click();  // disabled: no lookup
    w->close();
  });
  EXPECT_EQ(dane::run_window(form), Response::Cancelled);
  dane::install_host(nullptr);
  EXPECT_FALSE(country_shown);
  EXPECT_FALSE(label_shown);
  EXPECT_EQ(enabled, (std::vector<bool>(6, false)));
  EXPECT_TRUE(form.lookups.empty());
}

TEST(QtCalendar, ShowsPolishMonthsAndDaysFromMondayAndAnswersTheChosenDay) {
  QtHost host;
  const QLocale polish(QLocale::Polish);
  QString month, first_day_header, title;
  Qt::DayOfWeek first_day = Qt::Sunday;
  when_shown("choose_date", [&](QWidget* dialog) {
    title = dialog->windowTitle();
    auto* calendar = child<QCalendarWidget>(dialog, "calendar");
    first_day = calendar->firstDayOfWeek();
    month = child<QToolButton>(calendar, "qt_calendar_monthbutton")->text();
    auto* days = child<QTableView>(calendar, "qt_calendar_calendarview");
    first_day_header = days->model()->index(0, 0).data().toString();
    calendar->setSelectedDate(QDate(2026, 12, 24));
    child<QPushButton>(dialog, "ok")->click();
  });
  EXPECT_EQ(host.choose_date("Data dokumentu", kDecember7), runtime::make_day(2026, 12, 24));
  EXPECT_EQ(title, "Data dokumentu");
  EXPECT_EQ(first_day, Qt::Monday);
  EXPECT_EQ(month, polish.standaloneMonthName(12));
  EXPECT_EQ(first_day_header, polish.dayName(Qt::Monday, QLocale::ShortFormat));
  expect_png_files(host.screenshots(), 1);
}

TEST(QtCalendar, AnulujAnswersNothing) {
  QtHost host;
  when_shown("choose_date", [&](QWidget* dialog) { child<QPushButton>(dialog, "cancel")->click(); });
  EXPECT_EQ(host.choose_date("Data", 0), std::nullopt);
}

}  // namespace
}  // namespace ui_qt

namespace ui_qt {
namespace {

// A date with buttons of its own (no calendar button of the host's), a second field on its row, and a
// text shown to the right.
class StocktakingForm : public dane::FormWindow {
 public:
  StocktakingForm() : FormWindow("Inwentaryzacja_Upd") {
    dane::Field day{"DZIEN", "Dzień", "@d17", std::to_string(runtime::make_day(2026, 12, 7)), true};
    day.kind = dane::FieldKind::Date;
    day.buttons = {{"KALENDARZ", "Otwórz kalendarz", true}, {"SKASUJ", "Skasuj", false}};
    add_field(std::move(day));
    dane::Field op{"OPERATOR", "", "@s5", "=", true, false, dane::FieldKind::Choice, {"=", ">"}};
    op.beside_previous = true;
    add_field(std::move(op));
    dane::Field code{"KOD", "Kod", "@s10", "A1", true};
    code.right_aligned = true;
    add_field(std::move(code));
    set_mode_titles("Inwentaryzacja", "Inwentaryzacja");
  }
  std::vector<std::string> pressed;

 protected:
  void on_button(std::string_view field, std::string_view control) override {
    pressed.push_back(std::string(field) + ":" + std::string(control));
    mutable_field(field)->value = "0";
  }
};

TEST(QtFieldButtons, StandBesideTheirFieldAndPutTheirValueIntoIt) {
  QtHost host;
  dane::install_host(&host);
  StocktakingForm form;
  bool calendar_button = true, skasuj_enabled = true, same_row = false, code_right = false;
  QString label, day_after;
  when_shown("Inwentaryzacja_Upd", [&](QWidget* w) {
    auto* kalendarz = child<QPushButton>(w, "KALENDARZ");
    auto* skasuj = child<QPushButton>(w, "SKASUJ");
    auto* op = child<QComboBox>(w, "OPERATOR");
    auto* day = child<QLineEdit>(w, "DZIEN");
    calendar_button = w->findChild<QToolButton*>(QStringLiteral("DZIEN_calendar")) != nullptr;
    label = kalendarz->text();
    skasuj_enabled = skasuj->isEnabled();
    same_row = op->parentWidget() == kalendarz->parentWidget();
    code_right = (child<QLineEdit>(w, "KOD")->alignment() & Qt::AlignRight) != 0;
    kalendarz->click();
    settle();
    day_after = day->text();
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  dane::install_host(nullptr);
  EXPECT_FALSE(calendar_button);
  EXPECT_EQ(label, "Otwórz kalendarz");
  EXPECT_FALSE(skasuj_enabled);
  EXPECT_TRUE(same_row);
  EXPECT_TRUE(code_right);
  EXPECT_EQ(form.pressed, (std::vector<std::string>{"DZIEN:KALENDARZ"}));
  EXPECT_EQ(day_after, "");  // day 0 shows as nothing
  EXPECT_EQ(form.value("DZIEN"), "0");
}

}  // namespace
}  // namespace ui_qt

namespace ui_qt {
namespace {

// A note whose button reads the part of the text the person selected.
class NoteForm : public dane::FormWindow {
 public:
  NoteForm() : FormWindow("Notatka_Upd") {
    dane::Field note{"NOTATKA", "Notatka", "@s200", "😀 gęślą jaźń", true};
    note.kind = dane::FieldKind::Memo;
    note.buttons = {{"WYTNIJ", "Pokaż zaznaczenie", true}};
    add_field(std::move(note));
    set_mode_titles("Notatka", "Notatka");
  }
  std::vector<std::pair<std::size_t, std::size_t>> seen;

 protected:
  void on_button(std::string_view field, std::string_view) override {
    const Selection s = selection(field);
    seen.emplace_back(s.start, s.end);
  }
};

TEST(QtFieldButtons, AMemosSelectionReachesTheFormInCharacters) {
  QtHost host;
  dane::install_host(&host);
  NoteForm form;
  when_shown("Notatka_Upd", [&](QWidget* w) {
    auto* memo = child<QPlainTextEdit>(w, "NOTATKA");
    QTextCursor cursor = memo->textCursor();
    // "gęślą": the widget counts the emoji as two units, the form as one character.
    cursor.setPosition(3);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    child<QPushButton>(w, "WYTNIJ")->click();
    settle();
    cursor.clearSelection();
    memo->setTextCursor(cursor);
    child<QPushButton>(w, "WYTNIJ")->click();
    settle();
    child<QPushButton>(w, "ok")->click();
  });
  EXPECT_EQ(dane::run_window(form), Response::Completed);
  dane::install_host(nullptr);
  ASSERT_EQ(form.seen.size(), 2u);
  EXPECT_EQ(form.seen[0], (std::pair<std::size_t, std::size_t>{2, 7}));
  EXPECT_EQ(form.seen[1].first, form.seen[1].second);
}

}  // namespace
}  // namespace ui_qt
