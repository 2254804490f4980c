// The window in which a user edits a record's classifier values, or the values and operators of a filter.
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "classifiers/field_controls.h"
#include "classifiers/group_fields.h"
#include "dane/form.h"
#include "dane/host.h"
#include "keldox/classifiers.h"
#include "keldox/messages.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using classifiers_detail::DataType;

constexpr std::string_view kNumberOperators = "=|>|>=|<|<=|<>";
constexpr std::string_view kTextOperators = "=|>|>=|<|<=|<>|zawiera|nie zawiera";
constexpr std::string_view kHint =
    "Dla operatora \"zawiera\" i \"nie zawiera\" można użyć znaków %,_\r\nZnak % zastępuje dowolny ciąg "
    "znaków.\r\nZnak _ zastępuje dowolny jeden znak.";
constexpr std::string_view kHintField = "WSKAZOWKA";
constexpr std::string_view kFileFilter =
    "wszystkie|*.*|pdf|*.pdf|bmp|*.bmp|jpg|*.jpg|gif|*.gif|word|*.doc|excel|*.xls|csv|*.csv|txt|*.txt|avi|*."
    "avi";

std::mutex picker_mutex;
ClassifierValuePicker& picker() {
  static ClassifierValuePicker registered;
  return registered;
}

std::optional<std::string> pick_value(std::uint32_t dictionary, std::string_view current) {
  ClassifierValuePicker call;
  {
    std::lock_guard lock(picker_mutex);
    call = picker();
  }
  if (!call) return std::nullopt;
  return call(dictionary, current);
}

// What one row of the window needs of its definition, copied so that the list is not held while the
// user works.
struct Row {
  std::size_t number = 0;
  std::string caption;
  DataType type = DataType::text;
  std::uint32_t dictionary = 0;
  bool hyperlink = false;
  bool to_files = false;  // a hyperlink whose objects are files, opened by their program
};

std::string value_picture(const dane::KlasyfikatorEntry& field, DataType type) {
  const std::string_view mask = runtime::trim(field.MASKA_POLA.view());
  if (type == DataType::date) {
    return !mask.empty() && (mask.front() == 'd' || mask.front() == 'D') ? "@" + std::string(mask) : "@d17";
  }
  if (!mask.empty()) return "@" + std::string(mask);
  switch (type) {
    case DataType::number:
      return "@n-15`2";
    case DataType::integer:
      return "@n-_10";
    default:
      return "@s100";
  }
}

std::vector<std::string> list_items(std::string_view list, bool with_empty) {
  std::vector<std::string> items;
  if (with_empty) items.emplace_back();
  for (std::string& item : dane::split_bar_list(list)) {
    if (!runtime::trim(item).empty()) items.push_back(std::string(runtime::trim(item)));
  }
  return items;
}

class ClassifierWindow final : public dane::FormWindow {
 public:
  ClassifierWindow(std::string group, const ClassifierValues& values, const ClassifierMarks* operators)
      : FormWindow("Klasyfikatory_Okno"),
        group_(std::move(group)),
        values_(values),
        filter_(operators != nullptr) {
    if (operators != nullptr) operators_ = *operators;
    set_help_topic("adm_pola_dod.htm");
    set_mode_titles("Pola dodatkowe", "Pola dodatkowe");
    set_request(dane::Request::Change);
    classifiers_detail::GroupFields fields(group_);
    for (std::size_t n = 1; n <= kClassifierFields; ++n) {
      const dane::KlasyfikatorEntry* field = fields[n];
      if (field != nullptr && classifiers_detail::active(*field)) add_row(*field, n);
    }
    if (filter_ && !rows_.empty()) {
      add_field({std::string(kHintField), "Wskazówka", "", std::string(kHint), false, false,
                 dane::FieldKind::Memo});
    }
  }

  const ClassifierValues& values() const { return values_; }
  const ClassifierMarks& operators() const { return operators_; }

 protected:
  bool initialise() override {
    if (rows_.empty()) {
      MSG_OSTRZEZENIE(
          "Brak zdefiniowanych pól dodatkowych lub wszystkie pola są nieaktywne!|W celu definicji proszę "
          "wejść "
          "w funkcję Administrator->Definicje->Pola dodatkowe.");
      return false;
    }
    if (!FormWindow::initialise()) return false;
    set_focus(classifiers_detail::entry_control(rows_.front().number));
    return true;
  }

  std::optional<std::string> validate_record() override {
    // A filter asks for no value, and a value it searches for may be a part of a list's item.
    if (filter_) return std::nullopt;
    ClassifierValues typed = values_;
    collect(typed, operators_);
    if (KLASYFIKATORY_WALIDUJ(group_, typed, this)) return focus();
    return std::nullopt;
  }

  bool save() override {
    collect(values_, operators_);
    return true;
  }

  void on_button(std::string_view field, std::string_view control) override {
    const Row* row = row_of(field);
    if (row == nullptr) return;
    const std::string entry = classifiers_detail::entry_control(row->number);
    const std::string current(runtime::trim_right(value(entry)));
    if (control == classifiers_detail::clear_control(row->number)) {
      put(entry, "");
    } else if (control == classifiers_detail::open_control(row->number) ||
               (control == classifiers_detail::tool_control(row->number) && row->hyperlink &&
                !row->to_files && row->dictionary == 0)) {
      open_object(*row, current);
    } else if (control != classifiers_detail::tool_control(row->number)) {
      return;
    } else if (row->dictionary != 0) {
      if (const auto chosen = pick_value(row->dictionary, current)) put(entry, *chosen);
    } else if (row->type == DataType::date) {
      const runtime::DayNumber day =
          static_cast<runtime::DayNumber>(runtime::leading_integer(current).value_or(0));
      if (const auto chosen = dane::host().choose_date(row->caption, day))
        put(entry, std::to_string(*chosen));
    } else if (row->to_files) {
      dane::FileDialog dialog;
      dialog.title = "Wybierz obiekt";
      dialog.initial_path = current;
      dialog.filters = std::string(kFileFilter);
      if (const auto chosen = dane::host().choose_file(dialog)) put(entry, *chosen);
    }
  }

 private:
  void add_row(const dane::KlasyfikatorEntry& field, std::size_t n) {
    Row row;
    row.number = n;
    row.caption = field.NAZWA_POLA.clipped();
    row.type = classifiers_detail::data_type(field);
    row.dictionary = field.ID_SLOWNIKA;
    row.hyperlink = field.TYP_POLA == classifiers_detail::kHyperlinkKind || row.type == DataType::hyperlink;
    row.to_files = row.hyperlink && !runtime::trim(field.path_app_obiektu.view()).empty();
    const bool editable = field.nie_edytowany != 1;

    const bool numeric = classifiers_detail::numeric(row.type);
    if (filter_) {
      std::vector<std::string> ops = list_items(numeric ? kNumberOperators : kTextOperators, true);
      add_field({classifiers_detail::operator_control(n), row.caption, "@s20",
                 std::string(operators_[n - 1].clipped()), editable, false, dane::FieldKind::Choice,
                 std::move(ops)});
    }
    dane::Field entry{classifiers_detail::entry_control(n), row.caption, value_picture(field, row.type),
                      std::string(values_[n - 1].clipped()), editable};
    if (field.TYP_POLA == classifiers_detail::kListKind) {
      entry.kind = dane::FieldKind::Choice;
      entry.choices = list_items(field.WARTOSCI_LISTY.clipped(), true);
    } else if (row.type == DataType::date) {
      entry.kind = dane::FieldKind::Date;
    } else if (numeric) {
      entry.kind = dane::FieldKind::Number;
    }
    entry.right_aligned = numeric;
    entry.beside_previous = filter_;
    const std::string tool = classifiers_detail::tool_control(n);
    if (row.dictionary != 0) {
      entry.buttons.push_back({tool, "Otwórz słownik", editable});
    } else if (row.hyperlink && row.to_files) {
      entry.buttons.push_back({tool, "Przeglądaj obiekty", editable});
      entry.buttons.push_back({classifiers_detail::open_control(n), "Otwórz aplikację skojarzoną", true});
    } else if (row.hyperlink) {
      entry.buttons.push_back({tool, "Otwórz stronę WWW", true});
    } else if (row.type == DataType::date) {
      entry.buttons.push_back({tool, "Otwórz kalendarz", editable});
    }
    entry.buttons.push_back({classifiers_detail::clear_control(n), "Skasuj zawartość pola", editable});
    add_field(std::move(entry));
    rows_.push_back(std::move(row));
  }

  const Row* row_of(std::string_view field) const {
    for (const Row& r : rows_) {
      if (classifiers_detail::entry_control(r.number) == field) return &r;
    }
    return nullptr;
  }

  void put(const std::string& entry, std::string_view value) {
    if (dane::Field* f = mutable_field(entry)) f->value.assign(value);
  }

  void open_object(const Row& row, const std::string& path) {
    if (runtime::trim(path).empty()) {
      MSG_OSTRZEZENIE("Proszę wpisać ścieżkę do obiektu!");
      return;
    }
    const std::string target(runtime::trim(path));
    std::error_code error;
    const bool missing_file = row.to_files && !std::filesystem::exists(target, error);
    if (missing_file || !dane::host().open_with_desktop(target)) {
      MSG_OSTRZEZENIE("Prawdopodobnie ścieżka dostępu do pliku " + target + " jest nieprawidłowa!");
    }
  }

  void collect(ClassifierValues& values, ClassifierMarks& operators) const {
    for (const Row& r : rows_) {
      values[r.number - 1] = value(classifiers_detail::entry_control(r.number));
      if (filter_) operators[r.number - 1] = value(classifiers_detail::operator_control(r.number));
    }
  }

  std::string group_;
  ClassifierValues values_;
  ClassifierMarks operators_{};
  bool filter_;
  std::vector<Row> rows_;
};

}  // namespace

void set_classifier_value_picker(ClassifierValuePicker chosen) {
  std::lock_guard lock(picker_mutex);
  picker() = std::move(chosen);
}

std::uint8_t KLASYFIKATORY_OKNO(std::string_view key_column, std::string_view group, double record,
                                ClassifierValues& values, std::uint8_t mode, ClassifierMarks* operators) {
  // The caller's values change only when the user accepts.
  ClassifierValues opening = values;
  if (mode != 0) KLASYFIKATORY_INITUSE(key_column, group, record, opening, mode);
  ClassifierWindow window(std::string(runtime::trim(group)), opening, operators);
  if (dane::run_window(window) != dane::Response::Completed) return 0;
  values = window.values();
  if (operators != nullptr) *operators = window.operators();
  return 1;
}

}  // namespace keldox
