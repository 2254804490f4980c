// The life of a described dictionary browse, from opening to closing, and its record actions.
#include "pattern/dictionary_browse.h"

#include <algorithm>

#include "dane/database.h"
#include "dane/events.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/record_fields.h"
#include "dane/record_form.h"
#include "dane/sql_row_source.h"
#include "keldox/browse_popup.h"
#include "keldox/column_configuration.h"
#include "keldox/column_settings.h"
#include "keldox/export.h"
#include "keldox/marking.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/window_register.h"
#include "pattern/dictionary_form.h"
#include "pattern/statement_template.h"
#include "pattern/statements.h"
#include "runtime/text.h"

namespace slownik {
namespace {

constexpr std::string_view kColumnSetup = "KonfiguracjaKolumn";
constexpr std::string_view kExport = "EksportDoExcela";
constexpr std::string_view kDirection = "Kierunek";
constexpr std::string_view kAscending = "rosnąco";
constexpr std::string_view kDescending = "malejąco";

constexpr std::string_view kMarkColumn = "ZAZNACZONY";
constexpr std::string_view kMarkAll = "ZaznaczWszystko";
constexpr std::string_view kUnmarkAll = "OdznaczWszystko";
constexpr std::string_view kInvert = "OdwrocZaznaczone";
constexpr std::string_view kToggle = "Zaznacz";
constexpr std::string_view kMarksButton = "Zaznaczone";

// The list with its mark column last: each page's marks are read in one statement after the page, so that
// the list's own statement stays the one marking all and inversion take their FROM part from.
class MarkedSource : public dane::RowSource {
 public:
  MarkedSource(std::unique_ptr<dane::SqlRowSource> inner, Marking marking)
      : inner_(std::move(inner)), marking_(std::move(marking)), columns_(inner_->columns()) {
    dane::Column c;
    c.name = std::string(kMarkColumn);
    c.header = "Z";
    c.picture = "@s11";
    c.in_form = false;
    c.editable = false;
    columns_.push_back(c);
    id_column_ = inner_->columns().size();
    for (std::size_t i = 0; i < inner_->columns().size(); ++i) {
      if (runtime::same_name(inner_->columns()[i].name, marking_.id_field)) id_column_ = i;
    }
  }
  const std::vector<dane::Column>& columns() const override { return columns_; }
  std::optional<dane::SourceFailure> failure() const override { return inner_->failure(); }
  const dane::SqlRowSource& inner() const { return *inner_; }

  std::vector<dane::Row> page(const dane::PageQuery& query, std::size_t count) override {
    std::vector<dane::Row> rows = inner_->page(query, count);
    std::string ids;
    for (const dane::Row& r : rows) {
      if (id_column_ < r.size())
        ids += (ids.empty() ? "" : ",") + keldox::sql_id(dane::number_from_text(r[id_column_]));
    }
    std::vector<std::string> marked;
    if (!ids.empty()) {
      keldox::EXECSQL2("select id from zaznaczone with (nolock) where id_sesji=" +
                       keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA) +
                       " and uzycie=" + std::to_string(marking_.use) + " and id in (" + ids + ")");
      while (keldox::next_row(db::Channel::VAX2))
        marked.push_back(keldox::sql_id(dane::number_from_text(keldox::column(db::Channel::VAX2, 1))));
      keldox::CLOSESQL2();
    }
    for (dane::Row& r : rows) {
      const bool on = id_column_ < r.size() &&
                      std::find(marked.begin(), marked.end(),
                                keldox::sql_id(dane::number_from_text(r[id_column_]))) != marked.end();
      r.push_back(on ? "~boxon.ico" : "~boxoff.ico");
    }
    return rows;
  }

 private:
  std::unique_ptr<dane::SqlRowSource> inner_;
  Marking marking_;
  std::vector<dane::Column> columns_;
  std::size_t id_column_ = 0;
};

std::unique_ptr<dane::RowSource> make_source(const Description& d, const dane::Table& table) {
  const std::string& from = !d.from.empty() ? d.from : table.name();
  auto source = std::make_unique<dane::SqlRowSource>(dane::database(), db::Channel::VAX3, from, d.columns);
  // The application's text columns compare case-blind by their collation already.
  source->set_case_blind_collation(true);
  if (d.marking) return std::make_unique<MarkedSource>(std::move(source), *d.marking);
  if (d.source) return d.source(std::move(source));
  return source;
}

std::string range_value(const std::string& pattern) {
  return fill_statement(pattern, [](std::string_view) { return std::string(); });
}

std::string direction_tool(bool descending) {
  return descending ? "[31848(~malejaco.ico)]Malejąco" : "[31848(~rosnaco.ico)]Rosnąco";
}

}  // namespace

DictionaryBrowse::DictionaryBrowse(const Description& description)
    : DictionaryBrowse(description, *dane::find_table(description.table)) {}

DictionaryBrowse::DictionaryBrowse(const Description& description, dane::Table& table)
    : BrowseWindow(description.browse, make_source(description, table)),
      description_(description),
      table_(table),
      store_(table_) {
  if (description_.hooks) hooks_ = description_.hooks();
  set_title(description_.title);
  set_help_topic(description_.help_topic);
  for (const SortSpec& s : description_.sorts) add_sort_order(s.name, s.fields);
  for (const auto& [field, value] : description_.ranges) add_range_limit(field, range_value(value));
  if (!description_.filter.empty()) set_filter({}, description_.filter);
  if (!description_.locator.empty()) set_locator_column(description_.locator);
  if (description_.form.empty()) {
    for (const char* a : {"Insert", "Change", "Delete"}) set_action_visible(a, false);
  }
}

DictionaryBrowse::~DictionaryBrowse() = default;

bool DictionaryBrowse::allowed(std::string_view prefix, std::string_view refusal_verb) const {
  const Permissions& p = description_.permissions;
  if (p.base.empty()) return true;
  if (p.single_code) return prefix == "E" || keldox::POBIERZUPRAWNIENIE(p.base) != 0;
  const bool asked = prefix.empty()  ? p.access
                     : prefix == "D" ? p.add
                     : prefix == "O" ? p.view
                     : prefix == "U" ? p.remove
                                     : p.edit;
  if (!asked) return true;
  if (keldox::POBIERZUPRAWNIENIE(std::string(prefix) + p.base) != 0) return true;
  if (!refusal_verb.empty()) {
    keldox::MSG_OSTRZEZENIE("Brak uprawnień na " + std::string(refusal_verb) + " " + p.genitive + "!");
  }
  return false;
}

bool DictionaryBrowse::initialise() {
  if (!description_.permissions.single_code && !allowed("")) {
    if (!description_.permissions.access_box_text.empty()) {
      dane::MessageBox box;
      box.title = "MIRLET: Ostrzeżenie";
      box.text = description_.permissions.access_box_text;
      box.icon = dane::Icon::Exclamation;
      dane::host().message(box);
    } else {
      keldox::MSG_OSTRZEZENIE("Brak uprawnień na dostęp do " + description_.permissions.genitive + "!");
    }
    set_response(dane::Response::Cancelled);
    return false;
  }
  table_.open();
  opened_ = true;
  registered_ =
      keldox::DODAJOKNO(description_.registry, static_cast<std::int32_t>(dane::current_thread_number()));
  if (description_.stored) read_stored_choices();
  apply_column_layout();
  keldox::USTAW4IKONYBROWSERA(popup());
  add_action({.name = std::string(kExport),
              .text = "[31848(~export.ico)]Eksport do Excela",
              .separator_before = true});
  add_action({.name = std::string(kColumnSetup), .text = "Konfiguracja kolumn"});
  if (description_.marking) add_marking_actions();
  if (description_.permissions.single_code && !allowed("D")) {
    for (const char* a : {"Insert", "Change", "Delete"}) set_action_enabled(a, false);
  }
  if (hooks_) hooks_->browse_opened(*this);
  if (dane::GLO.TOOLTIPTYPE == 2) {
    for (const dane::BrowseAction& a : actions()) {
      if (a.button.empty()) continue;
      std::string tip = dane::parse_item_text(a.button).label;
      std::erase(tip, '&');  // the accelerator's mark is the button's, not the tooltip's
      tooltips().add(a.name, tip);
    }
  }
  install_header_sorter({}, {}, 1, true);
  if (!BrowseWindow::initialise()) return false;
  // A list whose first page cannot be read never shows; the error window has told why.
  if (last_read_failed()) {
    set_response(dane::Response::Cancelled);
    return false;
  }
  if (hooks_) hooks_->first_page_shown(*this);
  return true;
}

void DictionaryBrowse::on_source_failure(const dane::SourceFailure& failure) {
  keldox::ERRORWIN(failure.statement, failure.message);
}

void DictionaryBrowse::kill() {
  // A browse refused at its opening never opened anything, and must not store choices it never read.
  if (!opened_) return;
  table_.close();
  tooltips() = dane::Tooltips{};
  if (description_.stored) save_stored_choices();
  if (hooks_) hooks_->browse_closing(*this);
  remove_header_sorter();
  if (registered_) keldox::SKASUJOKNO(description_.registry);
}

void DictionaryBrowse::apply_column_layout() {
  std::int32_t first = 0, last = 0;
  keldox::POBIERZZAKRESKOLUMNBROWSERA(description_.layout_window(), first, last);
  std::vector<std::size_t> listed;
  for (std::size_t c = 0; c < columns().size(); ++c) {
    if (columns()[c].in_list) listed.push_back(c);
  }
  std::vector<dane::ColumnView> layout;
  if (description_.marking) {
    // The mark column leads the list and is no column of the user's layout.
    listed.pop_back();
    layout.push_back(dane::ColumnView{columns().size() - 1, 0, {}});
  }
  if (first > 0 && last >= first) {
    // The user's positions in order; each names the catalogue column it shows, the list's in their order.
    for (const keldox::UserColumn& u : keldox::user_columns(description_.layout_window())) {
      if (u.position < first || u.position > last || u.number < first) continue;
      const auto index = static_cast<std::size_t>(u.number - first);
      if (index >= listed.size() || u.width <= 0) continue;  // hidden by the user
      layout.push_back(dane::ColumnView{listed[index], u.width, u.picture});
    }
  }
  if (description_.marking && layout.size() == 1) {
    for (std::size_t c : listed) layout.push_back(dane::ColumnView{c, 0, {}});
  }
  set_layout(std::move(layout));
}

bool DictionaryBrowse::load_current() {
  const dane::Row* row = current_row();
  if (!row) return false;
  std::vector<std::string> key;
  for (const std::string& k : store_.key_fields()) key.push_back(current_cell(k).value_or(std::string()));
  const db::Status s = store_.fetch(key);
  if (s.ok()) return true;
  keldox::MSG_OSTRZEZENIE(dane::record_failure_text(s, "odczytać rekordu"));
  return false;
}

std::optional<std::string> DictionaryBrowse::protection(const dane::Row&) const {
  if (!description_.protected_rows) return std::nullopt;
  const ProtectedRows& p = *description_.protected_rows;
  const auto v = current_cell(p.field);
  if (v && runtime::trim(*v) == p.value) return p.message;
  return std::nullopt;
}

dane::Response DictionaryBrowse::run_form(dane::Request request) {
  if (description_.form.empty()) return dane::Response::Cancelled;
  dane::GLOBALREQUEST = static_cast<std::uint8_t>(request);
  return run_dictionary_form(description_, store_);
}

bool DictionaryBrowse::on_insert() {
  if (!allowed("D", "dodawanie")) return false;
  const bool completed = run_form(dane::Request::Insert) == dane::Response::Completed;
  if (completed && description_.lock) release_lock();
  return completed;
}

bool DictionaryBrowse::on_change(const dane::Row& row) {
  if (!allowed("O", "oglądanie")) return false;
  if (const auto why = protection(row)) {
    keldox::MSG_OSTRZEZENIE(*why);
    return false;
  }
  if (!load_current()) return true;  // the row is gone: show the list as it is now
  if (description_.lock && !lock_current()) return false;
  const dane::Request request =
      this->request() == dane::Request::View ? dane::Request::View : dane::Request::Change;
  const dane::Response response = run_form(request);
  // The lock goes when the form returns, whatever the user did in it.
  if (description_.lock) release_lock();
  return response == dane::Response::Completed;
}

bool DictionaryBrowse::on_delete(const dane::Row& row) {
  if (!allowed("U", "usuwanie")) return false;
  if (const auto why = protection(row)) {
    keldox::MSG_OSTRZEZENIE(*why);
    return false;
  }
  if (description_.lock) return delete_locked();
  if (!load_current()) return true;
  return run_form(dane::Request::Delete) == dane::Response::Completed;
}

bool DictionaryBrowse::on_select(const dane::Row&) {
  // The chosen row is left in the table's record buffer for the caller.
  if (!load_current()) return false;
  return !hooks_ || hooks_->browse_select(*this);
}

// A click in the mark column toggles the row's mark, as Space does.
bool DictionaryBrowse::on_cell_click(std::size_t column) {
  if (!description_.marking || !runtime::same_name(columns()[column].name, kMarkColumn)) return false;
  return run_action(kToggle);
}

void DictionaryBrowse::on_popup_item(std::string_view name) {
  if (description_.marking && run_marking_action(name)) return;
  if (runtime::same_name(name, kColumnSetup)) {
    if (keldox::KONFIGURACJA_KOLUMN(description_.layout_window()) == 1) apply_column_layout();
    return;
  }
  if (runtime::same_name(name, kExport)) {
    keldox::EXPORTBROWSERTOEXCEL(*this);
    return;
  }
  if (runtime::same_name(name, kDirection)) {
    set_direction(direction_ != kDescending);
    return;
  }
  if (hooks_ && hooks_->browse_action(*this, name)) refresh();
}

// ---- Record marking

void DictionaryBrowse::add_marking_actions() {
  add_action({.name = std::string(kMarkAll), .text = "Zaznacz wszystko", .separator_before = true});
  add_action({.name = std::string(kUnmarkAll), .text = "Odznacz wszystko"});
  add_action({.name = std::string(kInvert), .text = "Odwróć zaznaczone"});
  add_action({.name = std::string(kToggle), .key = "Space", .needs_row = true});
  add_action({.name = std::string(kMarksButton), .tool = "[31848(~boxoff.ico)]Zaznaczone"});
  show_marks(keldox::ILEZAZNACZONYCH(description_.marking->use));
}

void DictionaryBrowse::show_marks(std::int32_t count) {
  keldox::DISPLAYZAZNACZONE(*this, kMarksButton, count, description_.marking->noun);
  // The action's toolbar text is what the hosts draw: it follows the button's icon.
  if (const dane::ToolButton* b = toolbar().find(kMarksButton)) {
    add_action({.name = std::string(kMarksButton), .tool = b->text});
  }
}

bool DictionaryBrowse::run_marking_action(std::string_view name) {
  const Marking& m = *description_.marking;
  const auto* marked = dynamic_cast<const MarkedSource*>(&source());
  const std::string statement = marked ? marked->inner().list_statement() : std::string();
  std::int32_t count = 0;
  if (runtime::same_name(name, kMarkAll)) {
    count = keldox::ZAZNACZALLSQL(m.use, m.id_field, statement);
  } else if (runtime::same_name(name, kInvert)) {
    count = keldox::INWERSJASQL(m.use, m.id_field, statement);
  } else if (runtime::same_name(name, kUnmarkAll)) {
    keldox::ODZNACZALLSQL(m.use);
    count = keldox::ILEZAZNACZONYCH(m.use);
  } else if (runtime::same_name(name, kToggle)) {
    const auto id = current_cell(m.id_field);
    if (!id) return true;
    const double key = dane::number_from_text(*id);
    if (current_cell(kMarkColumn).value_or("") == "~boxon.ico") {
      keldox::ODZNACZSQL(m.use, key);
    } else {
      keldox::ZAZNACZSQL(m.use, key);
    }
    count = keldox::ILEZAZNACZONYCH(m.use);
  } else if (runtime::same_name(name, kMarksButton)) {
    count = keldox::ILEZAZNACZONYCH(m.use);
  } else {
    return false;
  }
  show_marks(count);
  refresh();
  return true;
}

// ---- Row locks of shared master data

namespace {

std::string lock_call(std::string_view procedure, const RowLock& lock, const std::string& id, bool state) {
  return "call " + std::string(procedure) + "('" + lock.table + "'," + id + "," +
         keldox::sql_id(dane::GLO.ID_UZYTKOWNIKA) + (state ? ",2)" : ")");
}

void report_lock_failure(const RowLock& lock, const db::Status& status) {
  keldox::MSG_OSTRZEZENIE(status.text.find("Lock") != std::string::npos ? lock.message : status.text);
}

}  // namespace

bool DictionaryBrowse::lock_current() {
  const RowLock& lock = *description_.lock;
  const std::string id = keldox::sql_id(dane::number_from_text(store_.get(lock.id_field)));
  const StatementOutcome o = run_statement(lock_call("APW_KartotekaSemaforUstaw", lock, id, true));
  if (o.status.ok()) return true;
  report_lock_failure(lock, o.status);
  return false;
}

void DictionaryBrowse::release_lock() {
  const RowLock& lock = *description_.lock;
  const std::string id = keldox::sql_id(dane::number_from_text(store_.get(lock.id_field)));
  const StatementOutcome o = run_statement(lock_call("APW_KartotekaSemaforPoloz", lock, id, false));
  if (!o.status.ok()) keldox::MSG_OSTRZEZENIE(o.status.text);
}

bool DictionaryBrowse::delete_locked() {
  const RowLock& lock = *description_.lock;
  if (keldox::MSG_PYTANIE(lock.delete_question) != 2) return false;
  const std::string id = keldox::sql_id(dane::number_from_text(current_cell(lock.id_field).value_or("0")));
  const StatementOutcome o = run_statement(lock_call("APW_KartotekaZapisSkasuj", lock, id, false));
  if (o.status.ok()) return true;
  report_lock_failure(lock, o.status);
  return false;
}

// ---- Stored choices

void DictionaryBrowse::read_stored_choices() {
  const StoredChoices& s = *description_.stored;
  const std::string stored(
      runtime::trim(keldox::POBIERZPARAMETROKNA(s.sort_setting, description_.parameter_owner)));
  // Any value that names no order leaves the first one.
  if (!select_sort_order(stored) && !sort_orders().empty()) select_sort_order(sort_orders().front().name);
  if (s.direction_setting.empty()) return;
  const std::string dir(
      runtime::trim(keldox::POBIERZPARAMETROKNA(s.direction_setting, description_.parameter_owner)));
  // With nothing stored the list runs ascending, as its icon says; the first press turns it round.
  direction_ = dir == kDescending ? std::string(kDescending) : std::string(kAscending);
  add_action({.name = std::string(kDirection), .tool = direction_tool(direction_ == kDescending)});
  BrowseWindow::set_descending(direction_ == kDescending);
}

void DictionaryBrowse::set_direction(bool descending) {
  direction_ = descending ? std::string(kDescending) : std::string(kAscending);
  add_action({.name = std::string(kDirection), .tool = direction_tool(descending)});
  BrowseWindow::set_descending(descending);
  reset();
}

void DictionaryBrowse::save_stored_choices() {
  const StoredChoices& s = *description_.stored;
  keldox::ZAPISZPARAMETROKNA(sort_orders().at(sort_order_index()).name, s.sort_setting,
                             description_.parameter_owner);
  if (!s.direction_setting.empty())
    keldox::ZAPISZPARAMETROKNA(direction_, s.direction_setting, description_.parameter_owner);
}

}  // namespace slownik
