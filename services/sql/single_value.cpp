// FUNCSQL and the VAXZAZ operations: a channel kept open per owner thread, with retries of transient
// failures and of "not open", one re-open for any other failure, and the error windows.
#include <atomic>

#include "channel_ops.h"
#include "dane/database.h"
#include "dane/events.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "runtime/text.h"
#include "zaz_channel.h"

namespace keldox {
namespace {

using db::Channel;
using namespace sql_detail;

constexpr int kAttempts = 10;

struct KeptChannel {
  Channel channel;
  std::atomic<dane::ThreadNumber> owner{0};  // the thread that last opened it; 0: not known to be open
  std::atomic<unsigned> generation{0};       // of which installed client: a new one starts closed
  const char* open_problem;                  // the window title after ten failed opens
};

KeptChannel fsql{
    Channel::VAXFSQL, {}, {}, "Problem z połączeniem  - błąd otwarcia tabeli VAXFSQL do odczytu!"};
KeptChannel zaz{Channel::VAXZAZ, {}, {}, "Problem z połączeniem  - błąd otwarcia tabeli VAXZAZ do odczytu!"};

void open_for_this_thread(KeptChannel& kept) {
  db::Client& client = dane::database();
  client.open(kept.channel, db::kPassThroughMode);
  kept.generation = dane::database_generation();
  kept.owner = dane::current_thread_number();
}

// Sends with the retry rules; with `read`, answers the first column of the first row.
std::string send_kept(KeptChannel& kept, std::string_view statement, std::uint8_t quiet, bool read,
                      std::size_t width) {
  stamp_clock();
  db::Client& client = dane::database();
  if (kept.owner != dane::current_thread_number() || kept.generation != dane::database_generation()) {
    client.close(kept.channel);
    open_for_this_thread(kept);
  }
  client.clear(kept.channel);
  const std::string_view text = runtime::trim_right(statement);
  int attempts = 0;
  bool reopened = false;
  for (;;) {
    const db::Status status = client.send(kept.channel, text);
    if (status.ok()) {
      if (!read) return {};
      bool had_row = false;
      std::string value = first_column(kept.channel, width, &had_row);
      if (!had_row) kept.owner = 0;
      return value;
    }
    if (quiet == 1) return {};
    kept.owner = 0;
    if (status.transient()) {
      if (++attempts < kAttempts) continue;
      return {};
    }
    if (status.code == db::kNotOpen) {
      if (attempts < kAttempts) {
        open_for_this_thread(kept);
        ++attempts;
        continue;
      }
      ERRORWIN(text, kept.open_problem);
      return {};
    }
    if (!reopened) {
      client.close(kept.channel);
      open_for_this_thread(kept);
      reopened = true;
      continue;
    }
    ERRORWIN(text, status.text);
    return {};
  }
}

}  // namespace

std::string FUNCSQL(std::string_view statement, std::uint8_t quiet) {
  return send_kept(fsql, statement, quiet, true, 9'999);
}

std::string FUNCSQLZAZ(std::string_view statement, std::uint8_t quiet) {
  return send_kept(zaz, statement, quiet, true, 999);
}

void EXECSQLZAZ(std::string_view statement) {
  send_kept(zaz, statement, 0, false, 0);
}

}  // namespace keldox
