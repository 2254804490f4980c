// The browse: a window over a row source that shows one page at a time, in named sort orders with a
// locator, within range limits and a filter, and runs record actions on its current row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/popup.h"
#include "dane/row_source.h"
#include "dane/window.h"

namespace dane {

enum class RecordAction { Insert, Change, Delete, Select, View };

class BrowseWindow : public Window {
 public:
  BrowseWindow(std::string procedure_name, RowSource& source);
  Kind kind() const override { return Kind::Browse; }

  const std::vector<Column>& columns() const { return source_.columns(); }
  std::optional<std::size_t> column_index(std::string_view name) const;

  // Sort orders by name; the first added is the initial one.
  void add_sort_order(SortOrder order);
  bool select_sort_order(std::string_view name);
  const SortOrder& sort_order() const { return orders_.at(order_); }
  const std::vector<SortOrder>& sort_orders() const { return orders_; }
  void set_descending(bool descending);
  // A click on a column's header: the sort order led by that column becomes current, or, when it already
  // is, turns round; either way the list starts from its first row. False (nothing changes) when no order
  // is led by the column.
  bool header_clicked(std::size_t column);
  void add_range_limit(std::string_view column, std::string value);
  void set_filter(std::function<bool(const Row&)> filter, std::string sql_filter = {});
  void set_page_size(std::size_t rows) { page_size_ = rows == 0 ? 1 : rows; }

  // The visible page and the current row in it.
  const std::vector<Row>& rows() const { return rows_; }
  std::optional<std::size_t> current_index() const { return current_; }
  const Row* current_row() const;
  std::optional<std::string> current_cell(std::string_view column) const;
  void set_current(std::size_t index);

  void reset();    // first page of the current order
  void refresh();  // reload, keeping the current row (or its neighbour) in view
  void page_down();
  void page_up();
  void to_end();
  // Moves to the first row whose leading key of the current order is at or past `text`; false when none.
  bool locate(std::string_view text);
  // Pages from the start until a row whose `column` equals `value`; it becomes current. False when none.
  bool seek(std::string_view column, std::string_view value);

  // A record action asked for on the current row (keyboard, button or popup). In select mode Select closes
  // the browse with response 1 and keeps the chosen row.
  void ask(RecordAction action);
  const std::optional<Row>& selected_row() const { return selected_; }

  // The popup of the list (right mouse button, or the menu key). It starts with the record actions
  // "Insert" ("&Dodaj"), "Change" ("&Popraw"), "Delete" ("&Usuń") and "Select" ("&Wybierz", enabled only
  // in select mode); a browse may change their texts and add items of its own.
  PopupMenu& popup() { return popup_; }
  const PopupMenu& popup() const { return popup_; }
  // Shows the popup through the host and carries out the chosen item: a record action through ask(),
  // any other item through on_popup_item.
  void open_popup();

 protected:
  // Hooks of a particular browse; each returns true when the data changed and the list must be refreshed.
  virtual bool on_insert() { return false; }
  virtual bool on_change(const Row&) { return false; }
  virtual bool on_delete(const Row&) { return false; }
  virtual void on_view(const Row&) {}
  // An item of the popup that is not a record action.
  virtual void on_popup_item(std::string_view) {}

  bool initialise() override;
  // The close button: response 2 in select mode, 1 otherwise.
  bool take_close_event() override;

 private:
  void load(PageQuery query, bool keep_order);
  PageQuery base_query() const;

  RowSource& source_;
  std::vector<SortOrder> orders_;
  std::size_t order_ = 0;
  std::vector<RangeLimit> limits_;
  std::function<bool(const Row&)> filter_;
  std::string sql_filter_;
  std::size_t page_size_ = 25;
  std::vector<Row> rows_;
  std::optional<std::size_t> current_;
  std::optional<Row> selected_;
  PopupMenu popup_;
};

}  // namespace dane
