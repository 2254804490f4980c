// Ordering of cells and the in-memory row source.
#include "dane/row_source.h"

#include <algorithm>

#include "runtime/number_text.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace dane {
namespace {

double number_of(const std::string& s) {
  return runtime::leading_number(s, runtime::Exponent::read).value_or(0.0);
}

int compare_keys(const std::vector<Column>& columns, const SortOrder& order, const Row& a, const Row& b) {
  for (std::size_t i = 0; i < order.key_columns.size(); ++i) {
    const std::size_t c = order.key_columns[i];
    const int r = compare_cells(columns[c], a[c], b[c]);
    if (r != 0) return order.column_descending(i) ? -r : r;
  }
  return 0;
}

}  // namespace

bool right_aligned(const Column& column, std::string_view picture) {
  const runtime::PictureKind kind = runtime::picture_kind(picture);
  return column.numeric || column.align_right || kind == runtime::PictureKind::number ||
         kind == runtime::PictureKind::exponent;
}

std::string cell_text(const Column& column, std::string_view picture, std::string_view cell) {
  if (picture.empty()) return std::string(runtime::trim_right(cell));
  const std::string shown = runtime::format_picture(picture, cell);
  return std::string(right_aligned(column, picture) ? runtime::trim(shown) : runtime::trim_right(shown));
}

std::string cell_icon_name(const Column& column, std::string_view cell) {
  const std::string_view t = runtime::trim(cell);
  if (!column.icon.empty()) return t == "1" ? column.icon : std::string();
  const bool resource =
      t.size() > 5 && t.front() == '~' && runtime::to_lower(t.substr(t.size() - 4)) == ".ico";
  return resource ? std::string(t) : std::string();
}

int compare_cells(const Column& column, const std::string& a, const std::string& b) {
  if (column.numeric) {
    const double x = number_of(a), y = number_of(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return runtime::collate_compare(a, b);
}

std::vector<Row> MemoryRowSource::page(const PageQuery& q, std::size_t count) {
  std::vector<const Row*> selected;
  for (const Row& row : rows_) {
    const bool in_range = std::all_of(q.limits.begin(), q.limits.end(), [&](const RangeLimit& l) {
      return compare_cells(columns_[l.column], row[l.column], l.value) == 0;
    });
    if (in_range && (!q.filter || q.filter(row))) selected.push_back(&row);
  }
  std::stable_sort(selected.begin(), selected.end(),
                   [&](const Row* a, const Row* b) { return compare_keys(columns_, q.order, *a, *b) < 0; });

  auto first = selected.begin();
  if (q.after_key) {
    const Row& key = *q.after_key;
    first = std::upper_bound(selected.begin(), selected.end(), key, [&](const Row& k, const Row* r) {
      return compare_keys(columns_, q.order, k, *r) < 0;
    });
    if (q.backwards) {
      auto last = std::lower_bound(selected.begin(), selected.end(), key, [&](const Row* r, const Row& k) {
        return compare_keys(columns_, q.order, *r, k) < 0;
      });
      std::vector<Row> out;
      while (last != selected.begin() && out.size() < count) out.push_back(**--last);
      return out;
    }
  } else if (q.locate && q.locate_column && *q.locate_column < columns_.size()) {
    const std::string wanted = runtime::to_upper(*q.locate);
    first = std::find_if(selected.begin(), selected.end(), [&](const Row* r) {
      return runtime::to_upper((*r)[*q.locate_column]).rfind(wanted, 0) == 0;
    });
  } else if (q.locate && !q.order.key_columns.empty()) {
    const std::size_t lead = q.order.key_columns.front();
    first = std::find_if(selected.begin(), selected.end(), [&](const Row* r) {
      const int c = compare_cells(columns_[lead], (*r)[lead], *q.locate);
      return q.order.column_descending(0) ? c <= 0 : c >= 0;
    });
  }
  if (q.backwards && !q.after_key) {
    std::vector<Row> out;
    for (auto it = selected.end(); it != selected.begin() && out.size() < count;) out.push_back(**--it);
    return out;
  }
  std::vector<Row> out;
  for (auto it = first; it != selected.end() && out.size() < count; ++it) out.push_back(**it);
  return out;
}

}  // namespace dane
