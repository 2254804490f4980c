// Column texts as the channels deliver them: integers plain, reals without a needless fraction, NULL empty.
#include "sqlite_rows.h"

#include <charconv>
#include <type_traits>

namespace db::detail {

void append_row(sqlite3_stmt* stmt, std::size_t columns, ResultSet& out) {
  char buf[32];
  for (std::size_t i = 0; i < columns; ++i) {
    const int col = static_cast<int>(i);
    switch (sqlite3_column_type(stmt, col)) {
      case SQLITE_INTEGER: {
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, sqlite3_column_int64(stmt, col));
        out.add_cell(std::string_view(buf, static_cast<std::size_t>(end - buf)));
        break;
      }
      case SQLITE_FLOAT:
        out.add_cell(format_real(sqlite3_column_double(stmt, col)));
        break;
      case SQLITE_NULL:
        out.add_cell({});
        break;
      default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        const int len = sqlite3_column_bytes(stmt, col);
        out.add_cell(text ? std::string_view(text, static_cast<std::size_t>(len)) : std::string_view());
        break;
      }
    }
  }
}

int bind_values(sqlite3_stmt* stmt, const std::vector<Value>& params) {
  for (std::size_t i = 0; i < params.size(); ++i) {
    const int at = static_cast<int>(i) + 1;
    const int rc = std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::int64_t>) {
            return sqlite3_bind_int64(stmt, at, v);
          } else if constexpr (std::is_same_v<T, Value::Decimal>) {
            return sqlite3_bind_text(stmt, at, v.text.data(), static_cast<int>(v.text.size()),
                                     SQLITE_TRANSIENT);
          } else if constexpr (std::is_same_v<T, std::string>) {
            return sqlite3_bind_text(stmt, at, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
          } else if constexpr (std::is_same_v<T, Value::Bytes>) {
            // A blob of no bytes stays an empty blob, not NULL (sqlite3_bind_blob takes a null pointer so).
            if (v.data.empty()) return sqlite3_bind_zeroblob(stmt, at, 0);
            return sqlite3_bind_blob64(stmt, at, v.data.data(), v.data.size(), SQLITE_TRANSIENT);
          } else {
            return sqlite3_bind_null(stmt, at);
          }
        },
        params[i].data);
    if (rc != SQLITE_OK) return rc;
  }
  return SQLITE_OK;
}

}  // namespace db::detail
