// The process object: a batch pass over every row of a row source in a sort order, a page at a time,
// with a progress window the user can stop.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/row_source.h"

namespace dane {

struct ProcessResult {
  std::size_t rows = 0;    // rows handed to the work
  bool cancelled = false;  // the user stopped the pass
  bool stopped = false;    // the work asked to stop
};

// Contract: rows come in the order's key order, each exactly once even when the work changes the rows it
// has been given (paging continues after the last key read, never by position). The order's key columns
// must end with a unique one. The progress window shows 0..100 of `total` rows when a total is given (the
// bar never runs past 100 when the source holds more), otherwise the count of rows in its text.
class ProcessPass {
 public:
  ProcessPass(std::string title, RowSource& source, SortOrder order);

  void set_total(std::size_t rows) { total_ = rows; }
  void add_range_limit(std::size_t column, std::string value);
  void set_filter(std::function<bool(const Row&)> filter, std::string sql_filter = {});
  void set_page_size(std::size_t rows) { page_size_ = rows == 0 ? 1 : rows; }
  // Whether the progress window offers "stop" (it does unless turned off).
  void set_cancellable(bool cancellable) { cancellable_ = cancellable; }

  // Hands every row to `work`; `work` answers false to stop the pass after that row.
  ProcessResult run(const std::function<bool(const Row&)>& work);

 private:
  std::string title_;
  RowSource& source_;
  SortOrder order_;
  std::vector<RangeLimit> limits_;
  std::function<bool(const Row&)> filter_;
  std::string sql_filter_;
  std::size_t total_ = 0;
  std::size_t page_size_ = 100;
  bool cancellable_ = true;
};

// The percentage of `done` rows out of `total`, 0..100 (0 when the total is unknown).
int process_percent(std::size_t done, std::size_t total);

}  // namespace dane
