#include <gtest/gtest.h>

#include "db/channel_client.h"

namespace db {
namespace {

struct TextRow {
  const char* name;
  const char* text;
  bool ok;
  const char* path;
  int busy_timeout;
  bool create;
};

class ConnectionText : public ::testing::TestWithParam<TextRow> {};

TEST_P(ConnectionText, Parses) {
  const TextRow& row = GetParam();
  ConnectionSettings settings;
  const Status s = parse_connection_text(row.text, settings);
  ASSERT_EQ(s.ok(), row.ok) << s.text;
  if (!row.ok) {
    EXPECT_EQ(s.code, kStatementFailed);
    return;
  }
  EXPECT_EQ(settings.sqlite.path, row.path);
  EXPECT_EQ(settings.sqlite.busy_timeout_ms, row.busy_timeout);
  EXPECT_EQ(settings.sqlite.create, row.create);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConnectionText,
    ::testing::Values(TextRow{"plain", "sqlite:/tmp/a.db", true, "/tmp/a.db", 5000, false},
                      TextRow{"options", "sqlite:rel/b.db?busy_timeout=20&create=1", true, "rel/b.db", 20,
                              true},
                      TextRow{"engine_case", "SQLite:/x.db", true, "/x.db", 5000, false},
                      TextRow{"no_file", "sqlite:", false, "", 0, false},
                      TextRow{"unknown_option", "sqlite:/x.db?cache=1", false, "", 0, false},
                      TextRow{"bad_number", "sqlite:/x.db?busy_timeout=abc", false, "", 0, false},
                      TextRow{"no_engine", "/x.db", false, "", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The driver gets its own keys in the order written; this system's keys never reach it.
TEST(ConnectionTextOdbc, SeparatesTheDriversKeysFromThisSystems) {
  ConnectionSettings settings;
  ASSERT_TRUE(
      parse_connection_text("ODBC:Driver={FreeTDS};Server=db1;Port=1433;PWD={a;b};login_timeout=3", settings)
          .ok());
  EXPECT_EQ(settings.engine, "odbc");
  EXPECT_EQ(settings.odbc.connection_string, "Driver={FreeTDS};Server=db1;Port=1433;PWD={a;b}");
  EXPECT_EQ(settings.odbc.login_timeout_s, 3);
  EXPECT_FALSE(settings.odbc.sqlite_dialect);
  ASSERT_TRUE(parse_connection_text("odbc:DSN=demo; dialect=SQLite ;query_timeout=20", settings).ok());
  EXPECT_EQ(settings.odbc.connection_string, "DSN=demo");
  EXPECT_TRUE(settings.odbc.sqlite_dialect);
  EXPECT_EQ(settings.odbc.query_timeout_s, 20);
  for (const char* bad : {"odbc:", "odbc:dialect=sqlite", "odbc:DSN=x;dialect=oracle",
                          "odbc:DSN=x;login_timeout=soon", "odbc:DSN=x;login_timeout=-1"}) {
    EXPECT_EQ(parse_connection_text(bad, settings).code, kStatementFailed) << bad;
  }
}

// Every spelling of a call becomes the driver's call escape with its arguments as written; anything else
// is sent as it is.
TEST(CallEscapes, EverySpellingBecomesTheDriversEscape) {
  struct Row {
    const char* statement;
    const char* escape;
    bool binds;
  };
  for (const Row& r : {Row{"call AP_Zapisz(1,'a,b', 2.5)", "{call AP_Zapisz(1,'a,b', 2.5)}", false},
                       Row{"CALL dbo.RM_Sprzatanie", "{call dbo.RM_Sprzatanie}", false},
                       Row{"exec JL_Zaznacz 5, 'x'", "{call JL_Zaznacz(5, 'x')}", false},
                       Row{"execute   KS_Import 'O''Brien';", "{call KS_Import('O''Brien')}", false},
                       Row{"&RetCode = call JL_Odznacz(1)", "{? = call JL_Odznacz(1)}", true},
                       Row{"&retcode=CALL X", "{? = call X}", true}}) {
    CallEscape e;
    ASSERT_TRUE(call_escape(r.statement, e)) << r.statement;
    EXPECT_EQ(e.text, r.escape);
    EXPECT_EQ(e.binds_retcode, r.binds);
  }
  CallEscape e;
  for (const char* other :
       {"select call from t", "callx(1)", "update t set a=1", "&Other = call X", "exec", "call (1)"}) {
    EXPECT_FALSE(call_escape(other, e)) << other;
  }
}

TEST(ConnectionTextDefault, UsesTheEnvironment) {
  setenv("MIRLET_DB", "/srv/m.db", 1);
  ConnectionSettings settings;
  ASSERT_TRUE(parse_connection_text("", settings).ok());
  EXPECT_EQ(settings.sqlite.path, "/srv/m.db");
  unsetenv("MIRLET_DB");
  setenv("XDG_DATA_HOME", "/data", 1);
  ASSERT_TRUE(parse_connection_text("default", settings).ok());
  EXPECT_EQ(settings.sqlite.path, "/data/mirlet/mirlet.db");
}

}  // namespace
}  // namespace db
