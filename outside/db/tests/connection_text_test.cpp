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
                      TextRow{"odbc_not_built", "odbc:DSN=prod", false, "", 0, false},
                      TextRow{"no_engine", "/x.db", false, "", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

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
