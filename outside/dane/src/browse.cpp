// Paging, sort orders, locator and record actions of the generic browse.
#include "dane/browse.h"

#include <algorithm>

#include "runtime/picture.h"
#include "runtime/text.h"

namespace dane {

namespace {

// The record actions: their names are what callers, the popup and the hosts use.
const BrowseAction kRecordActions[] = {
    {"Insert", "&Dodaj", "Insert", "&Dodaj"},
    {"Change", "&Popraw", "F2", "&Popraw", {}, true},
    {"Delete", "&Usuń", "Delete", "&Usuń", {}, true},
    {"Select", "&Wybierz", "Enter", "&Wybierz", {}, true, true},
};

}  // namespace

std::span<const BrowseAction> record_action_table() {
  return kRecordActions;
}

std::optional<RecordAction> record_action_named(std::string_view name) {
  if (runtime::same_name(name, "Insert")) return RecordAction::Insert;
  if (runtime::same_name(name, "Change")) return RecordAction::Change;
  if (runtime::same_name(name, "Delete")) return RecordAction::Delete;
  if (runtime::same_name(name, "Select")) return RecordAction::Select;
  if (runtime::same_name(name, "View")) return RecordAction::View;
  return std::nullopt;
}

BrowseWindow::BrowseWindow(std::string procedure_name, std::unique_ptr<RowSource> source)
    : BrowseWindow(std::move(procedure_name), *source) {
  owned_source_ = std::move(source);
}

BrowseWindow::BrowseWindow(std::string procedure_name, RowSource& source)
    : Window(std::move(procedure_name)), source_(source) {
  // Without a declared order the browse still pages, by its first column.
  orders_.push_back(SortOrder{"", {0}, false});
  for (const BrowseAction& a : kRecordActions) add_action(a);
}

std::optional<std::size_t> BrowseWindow::column_index(std::string_view name) const {
  const auto& cols = columns();
  for (std::size_t i = 0; i < cols.size(); ++i) {
    if (runtime::same_name(cols[i].name, name)) return i;
  }
  return std::nullopt;
}

void BrowseWindow::add_sort_order(SortOrder order) {
  if (orders_.size() == 1 && orders_[0].name.empty()) orders_.clear();
  orders_.push_back(std::move(order));
}

bool BrowseWindow::add_sort_order(std::string name, const std::vector<std::string>& fields) {
  SortOrder order{std::move(name), {}, false};
  bool all = true;
  for (const std::string& f : fields) {
    if (const auto c = column_index(f)) {
      order.key_columns.push_back(*c);
    } else {
      all = false;
    }
  }
  if (order.key_columns.empty()) return false;
  add_sort_order(std::move(order));
  return all;
}

bool BrowseWindow::select_sort_order(std::string_view name) {
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    if (runtime::same_name(orders_[i].name, name)) {
      order_ = i;
      // Another sort tab: the header sort gives way to the order chosen.
      header_order_.reset();
      sorter_.reset();
      if (started_) reset();
      return true;
    }
  }
  return false;
}

void BrowseWindow::set_descending(bool descending) {
  // The direction is the list's: every declared order runs that way, whichever tab is chosen.
  for (SortOrder& o : orders_) o.descending = descending;
  if (started_ && !header_order_) refresh();
}

void BrowseWindow::install_header_sorter(std::string file, std::string section, int control,
                                         bool keep_current) {
  std::vector<HeaderColumn> map;
  for (const Column& c : columns()) {
    const runtime::PictureKind kind = runtime::picture_kind(c.picture);
    const bool text = !c.numeric && kind != runtime::PictureKind::number &&
                      kind != runtime::PictureKind::exponent && kind != runtime::PictureKind::date &&
                      kind != runtime::PictureKind::time;
    map.push_back(HeaderColumn{c.header.empty() ? c.name : c.header, c.name, text});
  }
  sorter_.install(std::move(map), std::move(file), std::move(section), control, keep_current, true);
  if (!sorter_.sort_list().empty()) apply_sort(sorter_.expression());
}

void BrowseWindow::remove_header_sorter() {
  sorter_.remove();
}

bool BrowseWindow::click_cell(std::size_t column) {
  if (!current_row() || column >= columns().size()) return false;
  return on_cell_click(column);
}

bool BrowseWindow::click_header(std::size_t column, ClickModifier modifier) {
  if (!sorter_.installed() || !sorter_.click(column, modifier)) return false;
  const std::optional<Row> keep =
      sorter_.keep_current() && current_row() ? std::optional<Row>(*current_row()) : std::nullopt;
  // With the current row kept, the page around it is the only one read.
  apply_sort(sorter_.expression(), !keep);
  if (keep && !show_row(*keep)) reset();
  return true;
}

std::string BrowseWindow::header_text(std::size_t column) const {
  if (sorter_.installed()) return sorter_.header_text(column);
  if (column >= columns().size()) return {};
  return columns()[column].header.empty() ? columns()[column].name : columns()[column].header;
}

bool BrowseWindow::apply_sort(std::string_view expression, bool reload) {
  reload = reload && started_;
  if (runtime::trim(expression).empty()) {
    header_order_.reset();
    if (reload) reset();
    return true;
  }
  SortOrder order{"", {}, false};
  while (!expression.empty()) {
    const std::size_t comma = expression.find(',');
    std::string_view item = runtime::trim(expression.substr(0, comma));
    expression = comma == std::string_view::npos ? std::string_view{} : expression.substr(comma + 1);
    bool descending = false;
    if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
      descending = item.front() == '-';
      item.remove_prefix(1);
    }
    bool upper = false;
    if (item.size() > 7 && runtime::same_name(item.substr(0, 6), "UPPER(") && item.back() == ')') {
      upper = true;
      item = item.substr(6, item.size() - 7);
    }
    const auto c = column_index(runtime::trim(item));
    if (!c || std::find(order.key_columns.begin(), order.key_columns.end(), *c) != order.key_columns.end())
      continue;
    order.key_columns.push_back(*c);
    order.reversed.push_back(descending);
    order.upper.push_back(upper && !columns()[*c].numeric);
  }
  if (order.key_columns.empty()) return false;
  // The declared order's unique key (its last column) closes the header order, so that rows sharing the
  // sorted values still page in a fixed order and none is skipped or repeated; nothing more, so that an
  // index on the clicked column, which ends on that key, serves the order.
  const std::vector<std::size_t>& declared = orders_.at(order_).key_columns;
  if (!declared.empty() && std::find(order.key_columns.begin(), order.key_columns.end(), declared.back()) ==
                               order.key_columns.end()) {
    order.key_columns.push_back(declared.back());
    order.reversed.push_back(false);
    order.upper.push_back(false);
  }
  header_order_ = std::move(order);
  if (reload) reset();
  return true;
}

void BrowseWindow::add_range_limit(std::string_view column, std::string value) {
  if (const auto c = column_index(column)) limits_.push_back(RangeLimit{*c, std::move(value)});
}

void BrowseWindow::set_filter(std::function<bool(const Row&)> filter, std::string sql_filter) {
  filter_ = std::move(filter);
  sql_filter_ = std::move(sql_filter);
}

const Row* BrowseWindow::current_row() const {
  return current_ ? &rows_[*current_] : nullptr;
}

std::optional<std::string> BrowseWindow::current_cell(std::string_view column) const {
  const auto c = column_index(column);
  const Row* row = current_row();
  if (!c || !row) return std::nullopt;
  return (*row)[*c];
}

void BrowseWindow::set_current(std::size_t index) {
  if (index < rows_.size()) current_ = index;
}

void BrowseWindow::set_layout(std::vector<ColumnView> layout) {
  std::erase_if(layout, [this](const ColumnView& v) { return v.column >= columns().size(); });
  layout_ = std::move(layout);
}

std::vector<ColumnView> BrowseWindow::shown_columns() const {
  const auto& cols = columns();
  std::vector<ColumnView> shown;
  if (layout_.empty()) {
    for (std::size_t i = 0; i < cols.size(); ++i) {
      if (cols[i].in_list) shown.push_back({i, 0, cols[i].picture});
    }
    return shown;
  }
  for (ColumnView view : layout_) {
    if (view.column >= cols.size() || !cols[view.column].in_list) continue;
    if (view.picture.empty()) view.picture = cols[view.column].picture;
    shown.push_back(std::move(view));
  }
  return shown;
}

PageQuery BrowseWindow::base_query() const {
  PageQuery q;
  q.order = sort_order();
  q.limits = limits_;
  q.filter = filter_;
  q.sql_filter = sql_filter_;
  return q;
}

std::vector<Row> BrowseWindow::read(const PageQuery& query, std::size_t count) {
  std::vector<Row> rows = source_.page(query, count);
  const std::optional<SourceFailure> failure = source_.failure();
  read_failed_ = failure.has_value();
  // The page on screen stays as it was: a failed read must not look like an empty table.
  if (failure) on_source_failure(*failure);
  return rows;
}

void BrowseWindow::load(PageQuery query, bool keep_order) {
  std::vector<Row> page = read(query, page_size_);
  if (read_failed_) return;
  if (query.backwards && keep_order) std::reverse(page.begin(), page.end());
  rows_ = std::move(page);
  current_ = rows_.empty() ? std::nullopt : std::optional<std::size_t>(0);
}

void BrowseWindow::reset() {
  started_ = true;
  load(base_query(), true);
}

void BrowseWindow::refresh() {
  const Row* row = current_row();
  if (!row) {
    reset();
    return;
  }
  // Re-read from just before the current row so that it stays on top of the page.
  const Row keep = *row;
  PageQuery before = base_query();
  before.after_key = keep;
  before.backwards = true;
  const auto previous = read(before, 1);
  if (read_failed_) return;
  PageQuery q = base_query();
  if (!previous.empty()) q.after_key = previous.front();
  load(q, true);
  if (read_failed_) return;
  fill_from_before();
  const auto& order = sort_order();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    bool same = true;
    for (const std::size_t c : order.key_columns)
      same = same && compare_cells(columns()[c], rows_[i][c], keep[c]) == 0;
    if (same) {
      current_ = i;
      break;
    }
  }
}

void BrowseWindow::page_down() {
  if (rows_.empty()) return;
  PageQuery q = base_query();
  q.after_key = rows_.back();
  // One read: an empty next page means this one is the last, and it stays.
  std::vector<Row> page = read(q, page_size_);
  if (read_failed_) return;
  if (page.empty()) {
    current_ = rows_.size() - 1;
    return;
  }
  rows_ = std::move(page);
  current_ = 0;
}

void BrowseWindow::page_up() {
  if (rows_.empty()) return;
  PageQuery q = base_query();
  q.after_key = rows_.front();
  q.backwards = true;
  auto page = read(q, page_size_);
  if (read_failed_) return;
  if (page.empty()) {
    current_ = 0;
    return;
  }
  std::reverse(page.begin(), page.end());
  rows_ = std::move(page);
  current_ = 0;
}

void BrowseWindow::to_end() {
  PageQuery q = base_query();
  q.backwards = true;
  load(q, true);
  if (!rows_.empty()) current_ = rows_.size() - 1;
}

void BrowseWindow::set_locator_column(std::string_view column) {
  locator_column_ = column.empty() ? std::nullopt : column_index(column);
}

bool BrowseWindow::locate(std::string_view text) {
  PageQuery q = base_query();
  q.locate = std::string(text);
  const SortOrder& order = sort_order();
  if (locator_column_ && !header_order_ &&
      (order.key_columns.empty() || order.key_columns.front() != *locator_column_)) {
    q.locate_column = locator_column_;
    const auto found = read(q, 1);
    return !found.empty() && show_row(found.front());
  }
  auto page = read(q, page_size_);
  if (page.empty()) return false;
  rows_ = std::move(page);
  current_ = 0;
  fill_from_before();
  return true;
}

void BrowseWindow::fill_from_before() {
  // A row near the end of the list must not leave the screen half empty: the rows before it fill it.
  if (rows_.empty() || rows_.size() >= page_size_) return;
  PageQuery q = base_query();
  q.after_key = rows_.front();
  q.backwards = true;
  std::vector<Row> before = read(q, page_size_ - rows_.size());
  if (read_failed_ || before.empty()) return;
  const std::size_t added = before.size();
  std::reverse(before.begin(), before.end());
  rows_.insert(rows_.begin(), std::make_move_iterator(before.begin()), std::make_move_iterator(before.end()));
  if (current_) *current_ += added;
}

bool BrowseWindow::seek(std::string_view column, std::string_view value) {
  const auto c = column_index(column);
  if (!c) return false;
  reset();
  if (read_failed_) return false;
  for (;;) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (compare_cells(columns()[*c], rows_[i][*c], std::string(value)) == 0) {
        current_ = i;
        return true;
      }
    }
    if (rows_.empty()) return false;
    PageQuery q = base_query();
    q.after_key = rows_.back();
    auto next = read(q, page_size_);
    if (next.empty()) return false;
    rows_ = std::move(next);
  }
}

bool BrowseWindow::show_row(const Row& row) {
  const SortOrder& order = sort_order();
  PageQuery before = base_query();
  before.after_key = row;
  before.backwards = true;
  const auto previous = read(before, 1);
  if (read_failed_) return false;
  PageQuery q = base_query();
  if (!previous.empty()) q.after_key = previous.front();
  load(q, true);
  if (read_failed_) return false;
  fill_from_before();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    bool same = true;
    for (const std::size_t c : order.key_columns)
      same = same && c < row.size() && compare_cells(columns()[c], rows_[i][c], row[c]) == 0;
    if (same) {
      current_ = i;
      return true;
    }
  }
  return false;
}

void BrowseWindow::ask(RecordAction action) {
  if (closed()) return;
  const Row* row = current_row();
  bool changed = false;
  switch (action) {
    case RecordAction::Insert:
      changed = on_insert();
      break;
    case RecordAction::Change:
      if (row) changed = on_change(*row);
      break;
    case RecordAction::Delete:
      if (row) changed = on_delete(*row);
      break;
    case RecordAction::View:
      if (row) on_view(*row);
      break;
    case RecordAction::Select:
      if (request() == Request::Select && row && on_select(*row)) {
        selected_ = *row;
        close(Response::Completed);
      }
      return;
  }
  if (changed && !closed()) refresh();
}

BrowseAction* BrowseWindow::find_action(std::string_view name) {
  for (BrowseAction& a : actions_) {
    if (runtime::same_name(a.name, name)) return &a;
  }
  return nullptr;
}

const BrowseAction* BrowseWindow::find_action(std::string_view name) const {
  return const_cast<BrowseWindow*>(this)->find_action(name);
}

void BrowseWindow::add_action(BrowseAction action) {
  if (action.separator_before) popup_.add_separator();
  if (!action.text.empty()) popup_.add_item(action.name, action.text);
  if (!action.tool.empty()) toolbar().add_button(action.name, action.tool);
  if (BrowseAction* existing = find_action(action.name)) {
    *existing = std::move(action);
  } else {
    actions_.push_back(std::move(action));
  }
}

bool BrowseWindow::set_action_enabled(std::string_view name, bool enabled) {
  BrowseAction* a = find_action(name);
  if (a) a->enabled = enabled;
  return a != nullptr;
}

bool BrowseWindow::set_action_visible(std::string_view name, bool visible) {
  BrowseAction* a = find_action(name);
  if (a) a->visible = visible;
  return a != nullptr;
}

bool BrowseWindow::action_available(std::string_view name) const {
  const BrowseAction* a = find_action(name);
  if (!a || !a->visible || !a->enabled || closed()) return false;
  if (a->needs_row && !current_row()) return false;
  if (a->select_only && request() != Request::Select) return false;
  return true;
}

bool BrowseWindow::run_action(std::string_view name) {
  if (!action_available(name)) return false;
  if (const auto record = record_action_named(name)) {
    ask(*record);
  } else {
    on_popup_item(find_action(name)->name);
  }
  return true;
}

bool BrowseWindow::press_key(std::string_view key) {
  if (closed()) return false;
  if (runtime::same_name(key, "Enter") || runtime::same_name(key, "Return")) {
    return run_action(request() == Request::Select ? "Select" : "Change");
  }
  for (const BrowseAction& a : actions_) {
    if (!a.key.empty() && runtime::same_name(a.key, key) && action_available(a.name)) {
      const std::string name = a.name;
      return run_action(name);
    }
  }
  return false;
}

void BrowseWindow::open_popup() {
  if (closed()) return;
  // The menu shown: the popup's items in order, hidden actions left out, each enabled as it can run now.
  PopupMenu shown;
  for (const PopupItem& item : popup_.items()) {
    // "Sep1" ... with the text "-" are separators, as the popups of the windows name them.
    if (item.separator || runtime::trim(item.text) == "-") {
      if (!shown.empty()) shown.add_separator();
      continue;
    }
    const BrowseAction* a = find_action(item.name);
    if (a && !a->visible) continue;
    shown.add_item(item.name, item.text);
    shown.set_enabled(item.name, a ? action_available(item.name) : item.enabled);
  }
  const std::string name = shown.ask();
  if (name.empty()) return;
  if (find_action(name)) {
    run_action(name);
  } else {
    on_popup_item(name);
  }
}

bool BrowseWindow::take_accepted(std::string_view control) {
  // Toolbar buttons of actions are pressed as controls of the action's name.
  if (find_action(control)) return run_action(control);
  return Window::take_accepted(control);
}

bool BrowseWindow::initialise() {
  reset();
  return true;
}

bool BrowseWindow::take_close_event() {
  set_response(request() == Request::Select ? Response::Cancelled : Response::Completed);
  return true;
}

}  // namespace dane
