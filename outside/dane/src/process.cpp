// The batch pass: keyset paging through the source, progress and the user's stop.
#include "dane/process.h"

#include <algorithm>

#include "dane/host.h"

namespace dane {

int process_percent(std::size_t done, std::size_t total) {
  if (total == 0) return 0;
  if (done >= total) return 100;
  return static_cast<int>(done * 100 / total);
}

ProcessPass::ProcessPass(std::string title, RowSource& source, SortOrder order)
    : title_(std::move(title)), source_(source), order_(std::move(order)) {}

void ProcessPass::add_range_limit(std::size_t column, std::string value) {
  limits_.push_back(RangeLimit{column, std::move(value)});
}

void ProcessPass::set_filter(std::function<bool(const Row&)> filter, std::string sql_filter) {
  filter_ = std::move(filter);
  sql_filter_ = std::move(sql_filter);
}

ProcessResult ProcessPass::run(const std::function<bool(const Row&)>& work) {
  ProcessResult result;
  std::unique_ptr<Progress> progress = host().open_progress(title_);
  if (cancellable_) progress->allow_cancel();
  progress->set_percent(0);
  int shown_percent = 0;

  PageQuery query;
  query.order = order_;
  query.limits = limits_;
  query.filter = filter_;
  query.sql_filter = sql_filter_;
  for (;;) {
    const std::vector<Row> page = source_.page(query, page_size_);
    for (const Row& row : page) {
      ++result.rows;
      if (!work(row)) {
        result.stopped = true;
        return result;
      }
      const int percent = process_percent(result.rows, total_);
      // The window is asked at each new percent and every 64 rows: often enough to feel immediate,
      // seldom enough not to slow a long pass.
      if (percent != shown_percent || result.rows % 64 == 0) {
        shown_percent = percent;
        progress->set_percent(percent);
        if (total_ == 0) progress->set_text("Przetworzono rekordów: " + std::to_string(result.rows));
        progress->redraw();
        if (progress->cancelled()) {
          result.cancelled = true;
          return result;
        }
      }
    }
    if (page.empty()) break;
    query.after_key = page.back();
  }
  progress->set_percent(100);
  return result;
}

}  // namespace dane
