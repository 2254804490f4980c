// mkdemo [--large] FILE: creates a demo database with the schema and realistic Polish data.
// mkdemo [--large] --tsql FILE: writes the same database as a T-SQL script for the shared server.
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "server/demo.h"
#include "server/tsql_script.h"

namespace {

// The database is built in a folder of its own beside nothing else, and the script written under a
// temporary name first, so that a failure leaves no half-written script behind.
int write_script(server::DemoSize size, const std::string& path) {
  char folder[] = "/tmp/mkdemo-XXXXXX";
  if (::mkdtemp(folder) == nullptr) {
    std::perror("mkdemo");
    return 1;
  }
  const std::string database = std::string(folder) + "/demo.db";
  db::Status s = server::make_demo_database(database, size);
  if (s.ok()) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      s = db::Status::statement_failed(db ? sqlite3_errmsg(db) : "cannot open the demo database");
    } else {
      std::ofstream out(path + ".part", std::ios::binary | std::ios::trunc);
      s = out ? server::write_tsql_script(db, out) : db::Status::statement_failed("cannot write " + path);
      out.close();
      if (s.ok() && !out) s = db::Status::statement_failed("cannot write " + path);
    }
    sqlite3_close(db);
  }
  std::error_code ec;
  if (s.ok()) std::filesystem::rename(path + ".part", path, ec);
  if (s.ok() && ec) s = db::Status::statement_failed(ec.message());
  if (!s.ok()) std::filesystem::remove(path + ".part", ec);
  std::filesystem::remove_all(folder, ec);
  if (!s.ok()) {
    std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  server::DemoSize size = server::DemoSize::Demo;
  bool tsql = false;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--large") {
      size = server::DemoSize::Large;
    } else if (arg == "--tsql") {
      tsql = true;
    } else if (path.empty() && !arg.starts_with("-")) {
      path = arg;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fprintf(stderr, "usage: mkdemo [--large] [--tsql] FILE\n");
    return 2;
  }
  if (tsql) return write_script(size, path);
  const db::Status s = server::make_demo_database(path, size);
  if (!s.ok()) {
    std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
    return 1;
  }
  return 0;
}
