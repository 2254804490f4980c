// The column configuration window: the list of a browse's columns over a ColumnLayout, and the form that
// edits one column.
#include <algorithm>
#include <charconv>
#include <optional>

#include "dane/browse.h"
#include "dane/form.h"
#include "keldox/column_configuration.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kShownIcon = "~boxon.ico";
constexpr std::string_view kHiddenIcon = "~boxoff.ico";

std::optional<std::int32_t> whole_number(std::string_view text) {
  const std::string_view t = runtime::trim(text);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (error != std::errc{} || end != t.data() + t.size()) return std::nullopt;
  return value;
}

// "Tak" or "Nie" in any case; nothing for another text.
std::optional<bool> yes_no(std::string_view text) {
  const std::string_view t = runtime::trim_left(text);
  if (runtime::same_name(t, "TAK")) return true;
  if (runtime::same_name(t, "NIE")) return false;
  return std::nullopt;
}

const char* yes_no_text(bool value) {
  return value ? "Tak" : "Nie";
}

// What "Popraw" opens for one column. Every change is tried on a copy of the layout, so that a refused
// lock leaves the layout as it was.
class ColumnForm : public dane::FormWindow {
 public:
  ColumnForm(ColumnLayout& layout, std::size_t index)
      : dane::FormWindow("Konfiguracja_kolumny"), layout_(layout), index_(index) {
    add_field({"POKAZANA", "Widoczna (Tak/Nie)", "@s3", {}, true});
    add_field({"SZEROKOSC", "Szerokość", "@n5", {}, true});
    add_field({"FORMAT", "Format", "@s200", {}, true});
    add_field({"POZYCJA", "Pozycja", "@n3", {}, true});
    add_field({"ZABLOKOWANA", "Zablokowana (Tak/Nie)", "@s3", {}, true});
    set_mode_titles({}, "Kolumna: " + layout.columns().at(index).caption);
    set_help_topic("obs_rej_kol.htm");
  }

 protected:
  void load() override {
    const ConfiguredColumn& c = layout_.columns().at(index_);
    mutable_field("POKAZANA")->value = yes_no_text(c.shown);
    mutable_field("SZEROKOSC")->value = std::to_string(c.width);
    mutable_field("FORMAT")->value = c.picture;
    mutable_field("POZYCJA")->value = std::to_string(index_ + 1);
    mutable_field("ZABLOKOWANA")->value = yes_no_text(layout_.is_locked(index_));
  }

  std::optional<std::string> validate_record() override {
    ColumnLayout trial = layout_;
    const auto shown = yes_no(value("POKAZANA"));
    if (!shown) return "POKAZANA";
    const auto width = whole_number(value("SZEROKOSC"));
    if (!width || !trial.set_width(index_, *width)) return "SZEROKOSC";
    const auto position = whole_number(value("POZYCJA"));
    if (!position || *position < 1 || static_cast<std::size_t>(*position) > trial.columns().size()) {
      return "POZYCJA";
    }
    const auto locked = yes_no(value("ZABLOKOWANA"));
    if (!locked) return "ZABLOKOWANA";
    trial.set_shown(index_, *shown);
    trial.set_picture(index_, value("FORMAT"));
    const auto to = static_cast<std::size_t>(*position - 1);
    trial.move(index_, to);
    // The lock belongs to the leading places: a column moved among them is locked with them, and only
    // a lock the user changed here is applied.
    if (yes_no(original("ZABLOKOWANA")) != locked && !trial.set_locked(to, *locked)) return "ZABLOKOWANA";
    trial_ = std::move(trial);
    return std::nullopt;
  }

  bool save() override {
    if (!trial_) return false;
    layout_ = std::move(*trial_);
    return true;
  }

 private:
  ColumnLayout& layout_;
  std::size_t index_;
  std::optional<ColumnLayout> trial_;
};

// The rows are built from the layout after every change; the source must exist before the browse.
struct ColumnRows {
  dane::MemoryRowSource column_rows{{{"LP", "Lp.", "@n3", true},
                                     {"KOLUMNA", "Kolumna", "@s50", false},
                                     {"WIDOCZNA", "Widoczna", "@s12", false},
                                     {"SZEROKOSC", "Szerokość", "@n5", true},
                                     {"FORMAT", "Format", "@s30", false},
                                     {"ZABLOKOWANA", "Zablokowana", "@s3", false}}};
};

constexpr std::string_view kShowHide = "PokazUkryj";
constexpr std::string_view kRestoreDefaults = "PrzywrocDomyslne";

class ColumnConfigurationWindow : private ColumnRows, public dane::BrowseWindow {
 public:
  explicit ColumnConfigurationWindow(ColumnLayout& layout)
      : dane::BrowseWindow("Konfiguracja_kolumn", column_rows), layout_(layout) {
    set_title(column_configuration_title(layout.window()));
    set_help_topic("obs_rej_kol.htm");
    add_sort_order(dane::SortOrder{"Lp", {0}, false});
    set_page_size(std::max<std::size_t>(layout.columns().size(), 25));
    // Select mode: "Wybierz" accepts the layout, closing leaves it unchanged.
    set_request(dane::Request::Select);
    // Adding and deleting columns means nothing here: the list's own actions show or hide a column and
    // bring the catalogue's defaults back, on the keys people know from the other lists.
    set_action_visible("Insert", false);
    set_action_visible("Delete", false);
    add_action({.name = std::string(kShowHide),
                .text = "Pokaż / ukryj",
                .key = "Delete",
                .button = "Pokaż/ukryj",
                .needs_row = true});
    add_action({.name = std::string(kRestoreDefaults),
                .text = "Przywróć ustawienia domyślne",
                .key = "Insert",
                .button = "Przywróć domyślne"});
    fill();
  }

 protected:
  void on_popup_item(std::string_view name) override {
    if (runtime::same_name(name, kRestoreDefaults)) {
      if (layout_.restore_defaults()) fill();
    } else if (runtime::same_name(name, kShowHide)) {
      if (const dane::Row* row = current_row()) show_or_hide(*row);
    }
    refresh();
  }

  bool on_change(const dane::Row& row) override {
    const auto index = index_of(row);
    if (!index) return false;
    ColumnForm form(layout_, *index);
    form.set_request(dane::Request::Change);
    if (dane::run_window(form) != dane::Response::Completed) return false;
    fill();
    return true;
  }

 private:
  void show_or_hide(const dane::Row& row) {
    const auto index = index_of(row);
    if (!index) return;
    layout_.set_shown(*index, !layout_.columns()[*index].shown);
    fill();
  }

  std::optional<std::size_t> index_of(const dane::Row& row) const {
    const auto lp = whole_number(row.at(0));
    if (!lp || *lp < 1 || static_cast<std::size_t>(*lp) > layout_.columns().size()) return std::nullopt;
    return static_cast<std::size_t>(*lp - 1);
  }

  void fill() {
    column_rows.rows().clear();
    const auto& columns = layout_.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const ConfiguredColumn& c = columns[i];
      column_rows.add({std::to_string(i + 1), c.caption, std::string(c.shown ? kShownIcon : kHiddenIcon),
                       std::to_string(c.width), c.picture, layout_.is_locked(i) ? "Tak" : ""});
    }
  }

  ColumnLayout& layout_;
};

}  // namespace

std::uint8_t KONFIGURACJA_KOLUMN(std::string_view window) {
  ColumnLayout layout{std::string(runtime::trim_right(window))};
  ColumnConfigurationWindow list(layout);
  if (dane::run_window(list) != dane::Response::Completed) return 0;
  layout.apply();
  return 1;
}

}  // namespace keldox
