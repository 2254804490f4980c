// sqlshell: runs statements on a database through the client and prints their rows.
//
// sqlshell [--db CONNECTION] [--csv] [--translate] [--raw] [-c STATEMENT]... [FILE]
// Statements come from each -c, else from FILE, else from standard input, where a line "go" ends a batch.
// --translate prints what each statement becomes for the embedded engine instead of running it; --raw
// sends statements as SQLite SQL without translation.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "db/program.h"
#include "db/tsql/translate.h"
#include "runtime/text.h"
#include "server/demo.h"
#include "server/server.h"

namespace {

struct Options {
  std::string connection;
  bool csv = false;
  bool translate = false;
  bool raw = false;
  std::vector<std::string> statements;
  std::string file;
};

int usage() {
  std::fprintf(stderr,
               "usage: sqlshell [--db CONNECTION] [--csv] [--translate] [--raw] [-c STATEMENT]... [FILE]\n");
  return 2;
}

std::vector<std::string> read_batches(std::istream& in) {
  std::vector<std::string> batches;
  std::string batch;
  std::string line;
  while (std::getline(in, line)) {
    if (runtime::same_name(runtime::trim_left(line), "go")) {
      if (!runtime::trim(batch).empty()) batches.push_back(batch);
      batch.clear();
    } else {
      batch += line + "\n";
    }
  }
  if (!runtime::trim(batch).empty()) batches.push_back(batch);
  return batches;
}

std::string csv_field(std::string_view v) {
  if (v.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(v);
  std::string out = "\"";
  for (char ch : v) {
    if (ch == '"') out += '"';
    out += ch;
  }
  return out + "\"";
}

void print_rows(db::Client& client, bool csv) {
  const db::Channel ch = db::Channel::VAX2;
  const std::size_t n = client.columns(ch);
  if (n == 0) return;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header;
  for (std::size_t i = 1; i <= n; ++i) header.emplace_back(client.column_name(ch, i));
  while (client.next(ch).ok()) {
    std::vector<std::string> row;
    for (std::size_t i = 1; i <= n; ++i) row.emplace_back(client.field(ch, i));
    rows.push_back(std::move(row));
  }
  if (csv) {
    for (const auto& row : {header}) {
      for (std::size_t i = 0; i < n; ++i) std::cout << (i ? "," : "") << csv_field(row[i]);
      std::cout << "\n";
    }
    for (const auto& row : rows) {
      for (std::size_t i = 0; i < n; ++i) std::cout << (i ? "," : "") << csv_field(row[i]);
      std::cout << "\n";
    }
    return;
  }
  std::vector<std::size_t> width(n);
  for (std::size_t i = 0; i < n; ++i) width[i] = runtime::char_count(header[i]);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < n; ++i) width[i] = std::max(width[i], runtime::char_count(row[i]));
  }
  const auto line = [&](const std::vector<std::string>& row) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
      if (i) out += "  ";
      out += i + 1 < n ? runtime::pad_to_width(row[i], width[i]) : row[i];
    }
    std::cout << runtime::trim_right(out) << "\n";
  };
  line(header);
  std::vector<std::string> rule;
  for (std::size_t i = 0; i < n; ++i) rule.emplace_back(width[i], '-');
  line(rule);
  for (const auto& row : rows) line(row);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--db" && i + 1 < argc) {
      o.connection = argv[++i];
    } else if (arg == "--csv") {
      o.csv = true;
    } else if (arg == "--translate") {
      o.translate = true;
    } else if (arg == "--raw") {
      o.raw = true;
    } else if (arg == "-c" && i + 1 < argc) {
      o.statements.emplace_back(argv[++i]);
    } else if (!arg.starts_with("-") && o.file.empty()) {
      o.file = arg;
    } else {
      return usage();
    }
  }
  std::vector<std::string> batches = o.statements;
  if (batches.empty()) {
    if (o.file.empty()) {
      batches = read_batches(std::cin);
    } else {
      std::ifstream in(o.file);
      if (!in) {
        std::fprintf(stderr, "cannot read %s\n", o.file.c_str());
        return 2;
      }
      batches = read_batches(in);
    }
  }
  if (o.translate) {
    for (const std::string& b : batches) {
      const db::Program p = db::translate_tsql(b);
      if (p.refused()) {
        std::fprintf(stderr, "%d %s\n", db::kStatementFailed, p.refusal.c_str());
        return 1;
      }
      std::cout << db::tsql::describe(p) << "\n";
    }
    return 0;
  }
  if (o.connection.empty()) {
    // The embedded demo database is created on first use.
    const std::string path = db::default_database_path();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
      if (const db::Status s = server::make_demo_database(path, server::DemoSize::Demo); !s.ok()) {
        std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
        return 1;
      }
    }
  }
  db::EngineExtensions ext = server::extensions();
  if (o.raw) ext.translator = db::pass_through;
  std::unique_ptr<db::Client> client;
  if (const db::Status s = db::open_client(o.connection, ext, client); !s.ok()) {
    std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
    return 1;
  }
  client->open(db::Channel::VAX2);
  for (const std::string& b : batches) {
    const db::Status s = client->send(db::Channel::VAX2, b);
    if (!s.ok()) {
      std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
      return 1;
    }
    print_rows(*client, o.csv);
  }
  return 0;
}
