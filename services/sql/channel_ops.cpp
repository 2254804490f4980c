// Steps shared by the operations of the command layer.
#include "channel_ops.h"

#include "dane/database.h"
#include "dane/globals.h"
#include "keldox/messages.h"
#include "runtime/clock.h"
#include "runtime/text.h"

namespace keldox::sql_detail {

void stamp_clock() {
  dane::GLO.TABLEOPENTIME = runtime::clock_now();
}

db::Status run_on(db::Channel channel, std::string_view statement) {
  db::Client& client = dane::database();
  client.close(channel);
  client.clear(channel);
  if (db::Status opened = client.open(channel, db::kPassThroughMode); !opened.ok()) return opened;
  return client.send(channel, runtime::trim_right(statement));
}

void show_unless_transient(const db::Status& status, std::string_view statement) {
  if (!status.transient()) ERRORWIN(runtime::trim_right(statement), status.text);
}

std::string first_column(db::Channel channel, std::size_t width, bool* had_row) {
  db::Client& client = dane::database();
  const bool row = client.next(channel).ok();
  if (had_row) *had_row = row;
  return row ? std::string(runtime::cut_to_width(client.field(channel, 1), width)) : std::string{};
}

}  // namespace keldox::sql_detail
