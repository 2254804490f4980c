// Paging, sort orders, locator and record actions of the generic browse.
#include "dane/browse.h"

#include <algorithm>

#include "runtime/text.h"

namespace dane {

BrowseWindow::BrowseWindow(std::string procedure_name, RowSource& source)
    : Window(std::move(procedure_name)), source_(source) {
  // Without a declared order the browse still pages, by its first column.
  orders_.push_back(SortOrder{"", {0}, false});
  popup_.add_item("Insert", "&Dodaj");
  popup_.add_item("Change", "&Popraw");
  popup_.add_item("Delete", "&Usuń");
  popup_.add_item("Select", "&Wybierz");
}

std::optional<std::size_t> BrowseWindow::column_index(std::string_view name) const {
  const auto& cols = columns();
  for (std::size_t i = 0; i < cols.size(); ++i) {
    if (runtime::to_upper(cols[i].name) == runtime::to_upper(name)) return i;
  }
  return std::nullopt;
}

void BrowseWindow::add_sort_order(SortOrder order) {
  if (orders_.size() == 1 && orders_[0].name.empty()) orders_.clear();
  orders_.push_back(std::move(order));
}

bool BrowseWindow::select_sort_order(std::string_view name) {
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    if (orders_[i].name == name) {
      order_ = i;
      reset();
      return true;
    }
  }
  return false;
}

void BrowseWindow::set_descending(bool descending) {
  orders_.at(order_).descending = descending;
  refresh();
}

bool BrowseWindow::header_clicked(std::size_t column) {
  const SortOrder& current = orders_.at(order_);
  if (!current.key_columns.empty() && current.key_columns.front() == column) {
    orders_.at(order_).descending = !current.descending;
    reset();
    return true;
  }
  for (const SortOrder& order : orders_) {
    if (!order.key_columns.empty() && order.key_columns.front() == column) {
      const std::string name = order.name;
      return select_sort_order(name);
    }
  }
  return false;
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

PageQuery BrowseWindow::base_query() const {
  PageQuery q;
  q.order = orders_.at(order_);
  q.limits = limits_;
  q.filter = filter_;
  q.sql_filter = sql_filter_;
  return q;
}

void BrowseWindow::load(PageQuery query, bool keep_order) {
  std::vector<Row> page = source_.page(query, page_size_);
  if (query.backwards && keep_order) std::reverse(page.begin(), page.end());
  rows_ = std::move(page);
  current_ = rows_.empty() ? std::nullopt : std::optional<std::size_t>(0);
}

void BrowseWindow::reset() {
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
  const auto previous = source_.page(before, 1);
  PageQuery q = base_query();
  if (!previous.empty()) q.after_key = previous.front();
  load(q, true);
  const auto& order = orders_.at(order_);
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
  if (source_.page(q, 1).empty()) {
    current_ = rows_.size() - 1;  // already on the last page
    return;
  }
  load(q, true);
}

void BrowseWindow::page_up() {
  if (rows_.empty()) return;
  PageQuery q = base_query();
  q.after_key = rows_.front();
  q.backwards = true;
  auto page = source_.page(q, page_size_);
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

bool BrowseWindow::locate(std::string_view text) {
  PageQuery q = base_query();
  q.locate = std::string(text);
  auto page = source_.page(q, page_size_);
  if (page.empty()) return false;
  rows_ = std::move(page);
  current_ = 0;
  return true;
}

bool BrowseWindow::seek(std::string_view column, std::string_view value) {
  const auto c = column_index(column);
  if (!c) return false;
  reset();
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
    auto next = source_.page(q, page_size_);
    if (next.empty()) return false;
    rows_ = std::move(next);
  }
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
      if (request() == Request::Select && row) {
        selected_ = *row;
        close(Response::Completed);
      }
      return;
  }
  if (changed) refresh();
}

void BrowseWindow::open_popup() {
  if (closed()) return;
  const bool has_row = current_row() != nullptr;
  popup_.set_enabled("Change", has_row);
  popup_.set_enabled("Delete", has_row);
  popup_.set_enabled("Select", has_row && request() == Request::Select);
  const std::string name = popup_.ask();
  const std::string chosen = runtime::to_upper(name);
  if (chosen.empty()) return;
  if (chosen == "INSERT") {
    ask(RecordAction::Insert);
  } else if (chosen == "CHANGE") {
    ask(RecordAction::Change);
  } else if (chosen == "DELETE") {
    ask(RecordAction::Delete);
  } else if (chosen == "SELECT") {
    ask(RecordAction::Select);
  } else {
    on_popup_item(name);
  }
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
