// The browse: a window over a row source that shows one page at a time, in named sort orders with a
// locator, within range limits and a filter, sorts by clicks on its column headers, and runs record actions
// and its own named actions on its current row.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dane/header_sorter.h"
#include "dane/popup.h"
#include "dane/row_source.h"
#include "dane/window.h"

namespace dane {

enum class RecordAction { Insert, Change, Delete, Select, View };

// An action of a browse: one of the framework's record actions or one of the browse's own. The popup, the
// buttons beside the list, the toolbar and the keys of both hosts are all read from a browse's actions.
struct BrowseAction {
  std::string name{};        // "Insert", "Change", "Delete", "Select" or the browse's own ("Aktywnosc")
  std::string text{};        // the popup text, possibly with an icon attribute ("[31848(~dodaj2.ico)]Dodaj");
                             // empty: not in the popup
  std::string key{};         // "Insert", "F2", "Delete", "Enter", "F4", "Ctrl+B", "Shift+N", ...; empty: none
  std::string button{};      // the label of its button beside the list; empty: no button
  std::string tool{};        // the text of its toolbar button (an icon attribute shows the icon); empty: none
  bool needs_row = false;    // only with a current row
  bool select_only = false;  // only in select mode
  bool enabled = true;
  bool visible = true;  // a hidden action is in no popup, button or key
  bool separator_before = false;
};

// The framework's record actions in popup order: the one table of their names, texts, keys and buttons.
std::span<const BrowseAction> record_action_table();
// The record action of a name ("insert" ... case-blind), if it is one.
std::optional<RecordAction> record_action_named(std::string_view name);

// A column as the list shows it, in the user's order: which column, how wide (0: the host's choice) and
// in which picture.
struct ColumnView {
  std::size_t column = 0;
  int width = 0;
  std::string picture;
};

class BrowseWindow : public Window {
 public:
  // A browse that owns its rows' source.
  BrowseWindow(std::string procedure_name, std::unique_ptr<RowSource> source);
  // A browse over a source the caller keeps alive for it.
  BrowseWindow(std::string procedure_name, RowSource& source);
  Kind kind() const override { return Kind::Browse; }

  RowSource& source() { return source_; }
  const std::vector<Column>& columns() const { return source_.columns(); }
  std::optional<std::size_t> column_index(std::string_view name) const;

  // Sort orders by name, their key columns named by field; the first added is the initial one. A name
  // that is no column is left out of the order (false).
  bool add_sort_order(std::string name, const std::vector<std::string>& fields);
  void add_sort_order(SortOrder order);
  bool select_sort_order(std::string_view name);
  const SortOrder& sort_order() const { return header_order_ ? *header_order_ : orders_.at(order_); }
  const std::vector<SortOrder>& sort_orders() const { return orders_; }
  std::size_t sort_order_index() const { return order_; }
  bool descending() const { return orders_.at(order_).descending; }
  // The list's direction, for every declared order.
  void set_descending(bool descending);

  // Header sorting: installs the header sorter over the list columns (the browse's own use gives no file
  // and section, so nothing is stored), passes clicks to it and applies the sort it builds. A header sort
  // is a keyset-paged order of the clicked columns followed by the current order's key, so that paging
  // stays exact on columns that are neither indexed nor unique.
  void install_header_sorter(std::string file = {}, std::string section = {}, int control = 1,
                             bool keep_current = true);
  void remove_header_sorter();
  HeaderSorter& header_sorter() { return sorter_; }
  const HeaderSorter& header_sorter() const { return sorter_; }
  // A click on a column's header (plain, Ctrl or Shift). False when no header sorter is installed.
  bool click_header(std::size_t column, ClickModifier modifier = ClickModifier::None);
  // The header text a host shows: the designed header with the sorter's mark.
  std::string header_text(std::size_t column) const;
  // The header sorter's callback: a non-empty expression ("+UPPER(NAZWA),-NUMER") replaces the browse's
  // sort (names matched to the columns ignoring case; the locator then searches the first sort column),
  // an empty one restores the declared order, and the first page is read again unless `reload` is false.
  // False when the expression names no column.
  bool apply_sort(std::string_view expression, bool reload = true);
  bool header_sorted() const { return header_order_.has_value(); }

  void add_range_limit(std::string_view column, std::string value);
  void set_filter(std::function<bool(const Row&)> filter, std::string sql_filter = {});
  void set_page_size(std::size_t rows) { page_size_ = rows == 0 ? 1 : rows; }
  std::size_t page_size() const { return page_size_; }

  // The list's columns in the user's order, widths and pictures; by default every list column as declared.
  const std::vector<ColumnView>& layout() const { return layout_; }
  void set_layout(std::vector<ColumnView> layout);
  // The columns the list shows, as every host shows them: the layout in its order (an empty picture there
  // means the column's own), or every list column as declared; never a column that is no list column.
  std::vector<ColumnView> shown_columns() const;

  // What the list reads now: its order (a header sort included), range limits and filter, from the start.
  // Paging it by key with `after_key` walks every row the list can show (an export of the whole list).
  PageQuery query() const { return base_query(); }

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
  // With a locator column other than the order's leading one: to the first row, in the order, whose cell
  // of that column begins with `text`.
  bool locate(std::string_view text);
  // The column the locator searches in every order; empty: each order's leading column.
  void set_locator_column(std::string_view column);
  // Pages from the start until a row whose `column` equals `value`; it becomes current. False when none.
  bool seek(std::string_view column, std::string_view value);
  // Makes the row with the current order's key cells of `row` current, paging to it; false when it is gone.
  bool show_row(const Row& row);

  // Actions: the record actions and the browse's own, in popup order.
  const std::vector<BrowseAction>& actions() const { return actions_; }
  // Adds (or replaces, by name) an action of the browse's own; its popup text goes to the popup.
  void add_action(BrowseAction action);
  bool set_action_enabled(std::string_view name, bool enabled);
  bool set_action_visible(std::string_view name, bool visible);
  // Whether the action can run now: visible, enabled, a row when it needs one, select mode when it is a
  // select action.
  bool action_available(std::string_view name) const;
  // Runs an action by name (a record action through ask()); false when it is not available.
  bool run_action(std::string_view name);
  // A key pressed in the list ("F4", "Ctrl+B", "Insert", "Enter" ...): runs the action bound to it. Enter
  // selects in select mode and changes otherwise. False when no available action has the key.
  bool press_key(std::string_view key);

  // A click in a cell of `column` (a position in columns()) on the current row: what the browse does with
  // it (a mark column toggles the mark). False when the click means nothing here.
  bool click_cell(std::size_t column);

  // A record action asked for on the current row (keyboard, button or popup). In select mode Select closes
  // the browse with response 1 and keeps the chosen row.
  void ask(RecordAction action);
  const std::optional<Row>& selected_row() const { return selected_; }

  // The popup of the list (right mouse button, or the menu key): the visible actions with their texts, in
  // order. A browse may change their texts (USTAW4IKONYBROWSERA) and add items of its own.
  PopupMenu& popup() { return popup_; }
  const PopupMenu& popup() const { return popup_; }
  // Shows the popup through the host and carries out the chosen item.
  void open_popup();

 protected:
  // Hooks of a particular browse; each returns true when the data changed and the list must be refreshed.
  virtual bool on_insert() { return false; }
  virtual bool on_change(const Row&) { return false; }
  virtual bool on_delete(const Row&) { return false; }
  virtual void on_view(const Row&) {}
  // Select on the current row in select mode; false keeps the browse open.
  virtual bool on_select(const Row&) { return true; }
  // An action of the browse's own, or a popup item that is no action.
  virtual void on_popup_item(std::string_view) {}
  // A click in a cell of the current row; true when it did something.
  virtual bool on_cell_click(std::size_t /*column*/) { return false; }
  // The source could not give a page (the list keeps what it showed).
  virtual void on_source_failure(const SourceFailure&) {}
  bool last_read_failed() const { return read_failed_; }

  bool initialise() override;
  bool take_accepted(std::string_view control) override;
  // The close button: response 2 in select mode, 1 otherwise.
  bool take_close_event() override;

 private:
  void load(PageQuery query, bool keep_order);
  std::vector<Row> read(const PageQuery& query, std::size_t count);
  void fill_from_before();
  PageQuery base_query() const;
  BrowseAction* find_action(std::string_view name);
  const BrowseAction* find_action(std::string_view name) const;

  std::unique_ptr<RowSource> owned_source_;
  RowSource& source_;
  std::vector<SortOrder> orders_;
  std::size_t order_ = 0;
  std::optional<SortOrder> header_order_;
  HeaderSorter sorter_;
  std::optional<std::size_t> locator_column_;
  std::vector<RangeLimit> limits_;
  std::function<bool(const Row&)> filter_;
  std::string sql_filter_;
  std::size_t page_size_ = 25;
  std::vector<ColumnView> layout_;
  std::vector<Row> rows_;
  std::optional<std::size_t> current_;
  std::optional<Row> selected_;
  bool read_failed_ = false;
  // Nothing is read until the first page is asked for: the orders, direction and header sort a browse
  // sets up while it opens cost no statement.
  bool started_ = false;
  std::vector<BrowseAction> actions_;
  PopupMenu popup_;
};

}  // namespace dane
