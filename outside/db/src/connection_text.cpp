// Connection texts: which engine, which database, with which options.
#include <cstdlib>
#include <string>

#include "db/channel_client.h"
#include "runtime/text.h"

namespace db {
namespace {

bool parse_int(std::string_view text, int& out) {
  if (text.empty()) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || v > 100000000) return false;
    v = v * 10 + (c - '0');
  }
  out = v;
  return true;
}

Status bad_text(std::string_view text, std::string_view why) {
  return Status::statement_failed("Invalid connection text \"" + std::string(text) +
                                  "\": " + std::string(why));
}

}  // namespace

std::string default_database_path() {
  if (const char* explicit_path = std::getenv("MIRLET_DB"); explicit_path && *explicit_path)
    return explicit_path;
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else {
    base = ".";
  }
  return base + "/mirlet/mirlet.db";
}

Status parse_connection_text(std::string_view text, ConnectionSettings& out) {
  out = ConnectionSettings{};
  const std::string_view trimmed = runtime::trim(text);
  if (trimmed.empty() || trimmed == "default") {
    out.engine = "sqlite";
    out.sqlite.path = default_database_path();
    return Status::success();
  }
  const auto colon = trimmed.find(':');
  if (colon == std::string_view::npos) return bad_text(text, "expected ENGINE:TARGET");
  const std::string engine = runtime::to_lower(trimmed.substr(0, colon));
  std::string_view rest = trimmed.substr(colon + 1);
  if (engine == "odbc") {
    out.engine = engine;
    return parse_odbc_text(rest, out.odbc);
  }
  if (engine != "sqlite") return bad_text(text, "unknown engine");
  out.engine = engine;
  const auto question = rest.find('?');
  out.sqlite.path.assign(rest.substr(0, question));
  if (out.sqlite.path.empty()) return bad_text(text, "no database file");
  if (question == std::string_view::npos) return Status::success();
  std::string_view options = rest.substr(question + 1);
  while (!options.empty()) {
    const auto amp = options.find('&');
    const std::string_view option = options.substr(0, amp);
    options = amp == std::string_view::npos ? std::string_view{} : options.substr(amp + 1);
    const auto eq = option.find('=');
    const std::string_view key = option.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? std::string_view{} : option.substr(eq + 1);
    int number = 0;
    if (!parse_int(value, number)) return bad_text(text, "option " + std::string(key) + " needs a number");
    if (key == "busy_timeout") {
      out.sqlite.busy_timeout_ms = number;
    } else if (key == "create") {
      out.sqlite.create = number != 0;
    } else {
      return bad_text(text, "unknown option " + std::string(key));
    }
  }
  return Status::success();
}

Status open_engine(std::string_view connection_text, const EngineExtensions& ext,
                   std::shared_ptr<Engine>& out) {
  ConnectionSettings settings;
  if (Status s = parse_connection_text(connection_text, settings); !s.ok()) return s;
  if (settings.engine == "odbc") {
    // The translator and the procedures only mean something to a driver of an SQLite database.
    if (settings.odbc.sqlite_dialect) {
      settings.odbc.translator = ext.translator;
      settings.odbc.procedures = ext.procedures;
    }
    out = make_odbc_engine(std::move(settings.odbc));
    return Status::success();
  }
  settings.sqlite.translator = ext.translator;
  settings.sqlite.procedures = ext.procedures;
  settings.sqlite.on_connect = ext.on_connect;
  out = make_sqlite_engine(std::move(settings.sqlite));
  return Status::success();
}

Status open_client(std::string_view connection_text, const EngineExtensions& ext,
                   std::unique_ptr<Client>& out) {
  std::shared_ptr<Engine> engine;
  if (Status s = open_engine(connection_text, ext, engine); !s.ok()) return s;
  out = make_channel_client(std::move(engine));
  return Status::success();
}

}  // namespace db
