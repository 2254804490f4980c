// The module's connection and the one-pass builder of delimited results.
#include "query_bridge.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>

#include "code_page_boundary.h"
#include "db/channel_client.h"
#include "db/engine.h"
#include "db/result_set.h"
#include "server/server.h"

namespace zorva_util {
namespace {

struct BridgeState {
  std::mutex mutex;
  std::shared_ptr<db::Engine> engine;
  std::unique_ptr<db::Connection> connection;
};

BridgeState& state() {
  static BridgeState bridge;
  return bridge;
}

// A probe that any database answers, so that a wrong file or server is reported when connecting.
constexpr std::string_view kProbe = "select 1";

}  // namespace

db::Status open_bridge_connection(std::string_view connection_text) {
  std::shared_ptr<db::Engine> engine;
  if (db::Status s = db::open_engine(connection_text, server::extensions(), engine); !s.ok()) return s;
  std::unique_ptr<db::Connection> connection;
  if (db::Status s = engine->connect(connection); !s.ok()) return s;
  db::ResultSet probe;
  if (db::Status s = connection->run(kProbe, 1, probe); !s.ok()) return s;
  BridgeState& bridge = state();
  const std::lock_guard lock(bridge.mutex);
  bridge.connection = std::move(connection);
  bridge.engine = std::move(engine);
  return db::Status::success();
}

std::string delimited_result(std::string_view statement, std::string_view record_separator,
                             std::string_view field_separator) {
  const char record = record_separator.empty() ? '^' : record_separator.front();
  const char field = field_separator.empty() ? ';' : field_separator.front();

  db::ResultSet rows;
  {
    BridgeState& bridge = state();
    const std::lock_guard lock(bridge.mutex);
    if (bridge.connection == nullptr) return {};
    if (!bridge.connection->usable()) {
      std::unique_ptr<db::Connection> fresh;
      if (!bridge.engine->connect(fresh).ok()) return {};
      bridge.connection = std::move(fresh);
    }
    if (!bridge.connection->run(windows1250_to_utf8(statement), std::numeric_limits<std::size_t>::max(), rows)
             .ok()) {
      return {};
    }
  }

  // The rows joined in UTF-8, converted in one go; a value that holds a separator shows in the
  // separator count of the converted text, which is then exact for the bytes the caller splits.
  const std::size_t columns = rows.columns();
  const std::size_t row_count = rows.rows();
  const std::string field_utf8 = windows1250_to_utf8(std::string_view(&field, 1));
  const std::string record_utf8 = windows1250_to_utf8(std::string_view(&record, 1));
  std::size_t size = row_count * (columns * field_utf8.size() + record_utf8.size());
  for (std::size_t r = 0; r < row_count; ++r) {
    for (std::size_t c = 0; c < columns; ++c) size += rows.cell(r, c).size();
  }
  std::string joined(size, '\0');
  char* dst = joined.data();
  for (std::size_t r = 0; r < row_count; ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view value = rows.cell(r, c);
      value.copy(dst, value.size());
      dst += value.size();
      dst += field_utf8.copy(dst, field_utf8.size());
    }
    dst += record_utf8.copy(dst, record_utf8.size());
  }
  std::string out = utf8_to_windows1250(joined);
  const auto fields_found = static_cast<std::size_t>(std::count(out.begin(), out.end(), field));
  const auto records_found = static_cast<std::size_t>(std::count(out.begin(), out.end(), record));
  const bool exact = record == field ? fields_found == row_count * (columns + 1)
                                     : fields_found == row_count * columns && records_found == row_count;
  if (!exact) return {};
  return out;
}

}  // namespace zorva_util
