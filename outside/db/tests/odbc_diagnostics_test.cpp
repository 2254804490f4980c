// Which of a driver's SQLSTATEs the command layer may retry, and which end the connection.
#include <gtest/gtest.h>

#include "../src/odbc/odbc_diagnostics.h"

namespace db::odbc {
namespace {

TEST(OdbcDiagnostics, ConnectionTimeoutAndDeadlockStatesAreTransient) {
  for (const char* state : {"08001", "08S01", "08003", "08004", "08007", "HYT00", "HYT01", "40001"})
    EXPECT_TRUE(transient_state(state)) << state;
  for (const char* state : {"42S02", "23000", "22001", "HY000", "IM002", "28000", "01000", "40003"})
    EXPECT_FALSE(transient_state(state)) << state;
}

TEST(OdbcDiagnostics, OnlyALostLinkEndsTheConnection) {
  for (const char* state : {"08S01", "08003", "08007"}) EXPECT_TRUE(lost_state(state)) << state;
  // A refused log-in or a timeout leaves nothing to throw away.
  for (const char* state : {"08001", "08004", "HYT00", "40001", "42000"})
    EXPECT_FALSE(lost_state(state)) << state;
}

// Diagnostics of a real handle: a driver that cannot be loaded says so through the driver manager.
TEST(OdbcDiagnostics, ADriverThatCannotBeLoadedIsOneStatementFailureWithItsText) {
  SQLHENV env = SQL_NULL_HENV;
  ASSERT_TRUE(succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)));
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLHDBC dbc = SQL_NULL_HDBC;
  ASSERT_TRUE(succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)));
  SQLCHAR text[] = "DRIVER=/nowhere/libnodriver.so;Database=x";
  EXPECT_FALSE(
      succeeded(SQLDriverConnect(dbc, nullptr, text, SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
  const Diagnosis d = diagnose(SQL_HANDLE_DBC, dbc, "Connecting");
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  EXPECT_EQ(d.status.code, kStatementFailed);
  EXPECT_NE(d.status.text.find("libnodriver.so"), std::string::npos) << d.status.text;
  EXPECT_FALSE(d.status.transient());
  EXPECT_FALSE(d.connection_lost);
}

}  // namespace
}  // namespace db::odbc
