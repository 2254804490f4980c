// The run, run-with-result, single-value-without-retries, probe and close operations.
#include "channel_ops.h"
#include "dane/database.h"
#include "dane/globals.h"
#include "keldox/sql.h"
#include "runtime/clock.h"

namespace keldox {
namespace {

using db::Channel;
using namespace sql_detail;

constexpr std::size_t kValueWidth = 9'999;
constexpr std::size_t kProbeWidth = 999;

void run(Channel channel, std::string_view statement) {
  stamp_clock();
  const db::Status status = run_on(channel, statement);
  if (!status.ok() && status.transient()) {
    dane::database().clear(channel);
    dane::database().close(channel);
  }
}

std::uint8_t run_with_result(Channel channel, std::string_view statement, std::uint8_t quiet) {
  stamp_clock();
  const db::Status status = run_on(channel, statement);
  if (status.ok()) return 0;
  if (quiet != 1) show_unless_transient(status, statement);
  return 5;
}

// Without the clock stamp: the probe stamps after its statement.
std::string single_value_once(Channel channel, std::string_view statement, std::uint8_t quiet,
                              std::size_t width) {
  std::string result;
  const db::Status status = run_on(channel, statement);
  if (status.ok()) {
    result = first_column(channel, width);
  } else if (quiet != 1) {
    show_unless_transient(status, statement);
  }
  dane::database().close(channel);
  return result;
}

void close(Channel channel) {
  dane::database().close(channel);
}

}  // namespace

void EXECSQL(std::string_view statement) {
  dane::GLO.VAXOPENED = 0;
  run(Channel::VAX, statement);
}
std::uint8_t ESQL(std::string_view statement, std::uint8_t quiet) {
  return run_with_result(Channel::VAX, statement, quiet);
}
void CLOSESQL() {
  close(Channel::VAX);
  dane::GLO.VAXOPENED = 0;
}

void EXECSQL2(std::string_view statement) {
  run(Channel::VAX2, statement);
}
std::uint8_t ESQL2(std::string_view statement, std::uint8_t quiet) {
  return run_with_result(Channel::VAX2, statement, quiet);
}
std::string FUNCSQL2(std::string_view statement, std::uint8_t quiet) {
  stamp_clock();
  return single_value_once(Channel::VAX2, statement, quiet, kValueWidth);
}
void CLOSESQL2() {
  close(Channel::VAX2);
}

void EXECSQL3(std::string_view statement) {
  run(Channel::VAX3, statement);
}
std::uint8_t ESQL3(std::string_view statement, std::uint8_t quiet) {
  return run_with_result(Channel::VAX3, statement, quiet);
}
std::string FUNCSQL3(std::string_view statement, std::uint8_t quiet) {
  stamp_clock();
  return single_value_once(Channel::VAX3, statement, quiet, kValueWidth);
}
void CLOSESQL3() {
  close(Channel::VAX3);
}

void EXECSQLCRM(std::string_view statement) {
  run(Channel::VAXCRM, statement);
}
void CLOSESQLCRM() {
  close(Channel::VAXCRM);
}

std::string FUNCTESTSQL(std::string_view statement, std::uint8_t quiet) {
  // A statement of the layer ran less than ten minutes ago today: the connection is known to answer.
  const std::int32_t since = runtime::clock_now() - dane::GLO.TABLEOPENTIME;
  if (since > 0 && since < 59'999) return {};
  std::string result = single_value_once(Channel::TEST_POLACZENIA, statement, quiet, kProbeWidth);
  stamp_clock();
  return result;
}

bool next_row(db::Channel channel) {
  return dane::database().next(channel).ok();
}

std::string column(db::Channel channel, std::size_t n) {
  return std::string(dane::database().field(channel, n));
}

}  // namespace keldox
