// The SQL command layer: every pass-through statement of the system goes through these operations, one
// group per channel, with their retry, thread and error-window rules.
//
// Statements are complete T-SQL texts (values quoted with sql_text/sql_escape of keldox/sql_text.h); trailing
// blanks are removed before sending. Failures never reach the caller as anything but a result: the run
// operations return nothing (or 5), the single-value operations an empty text. `quiet` = 1 suppresses every
// window and every retry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/channel.h"

namespace keldox {

// VAX: run a statement and leave its rows on the channel for next_row/column. Never shows a window; a
// transient ("HSTM") failure closes the channel.
void EXECSQL(std::string_view statement);
// VAX: as EXECSQL, answering 0 on success and 5 on failure, with the error window unless quiet = 1 or the
// failure is transient. The channel stays open.
std::uint8_t ESQL(std::string_view statement, std::uint8_t quiet = 0);
// VAXFSQL: the first column of the first row (up to 9,999 characters), empty when there is none or on
// failure. Retries transient failures and "not open" up to ten times and other failures once; the channel
// stays open for the next call of the same thread.
std::string FUNCSQL(std::string_view statement, std::uint8_t quiet = 0);
void CLOSESQL();

void EXECSQL2(std::string_view statement);
std::uint8_t ESQL2(std::string_view statement, std::uint8_t quiet = 0);
// VAX2: the first column of the first row, no retries; the channel is closed afterwards.
std::string FUNCSQL2(std::string_view statement, std::uint8_t quiet = 0);
void CLOSESQL2();

void EXECSQL3(std::string_view statement);
std::uint8_t ESQL3(std::string_view statement, std::uint8_t quiet = 0);
std::string FUNCSQL3(std::string_view statement, std::uint8_t quiet = 0);
void CLOSESQL3();

void EXECSQLCRM(std::string_view statement);
void CLOSESQLCRM();

// TEST_POLACZENIA: the connection probe. Within ten minutes of the layer's last statement on the same day
// it answers an empty text without touching the database; otherwise it runs as FUNCSQL2 and answers the
// first column (up to 999 characters).
std::string FUNCTESTSQL(std::string_view statement, std::uint8_t quiet = 0);

// Reading the rows a run operation left on its channel: the next row, false at the end (or when the
// statement failed); then column n (1-based) of that row.
bool next_row(db::Channel channel = db::Channel::VAX);
std::string column(db::Channel channel, std::size_t n);
inline std::string column(std::size_t n) {
  return column(db::Channel::VAX, n);
}

}  // namespace keldox
