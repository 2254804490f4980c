// One suite for the client seam, run on the embedded engine and on the ODBC engine over the SQLite ODBC
// driver (with the stand-in's extension loaded, the statements translated): the application cannot tell
// them apart. The driver is configured by the suite itself through its own odbcinst.ini.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "fixture.h"
#include "mirlet_testing/temp_folder.h"
#include "server/server.h"

namespace server {
namespace {

constexpr const char* kSqliteDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
constexpr const char* kTdsDriver = "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so";

// The driver manager reads the drivers from this folder for the whole process.
const mirlet_testing::TempFolder& odbc_configuration() {
  static const mirlet_testing::TempFolder folder("odbcini");
  static const bool written = [] {
    std::ofstream(folder.file("odbcinst.ini"))
        << "[MirletSQLite]\nDriver=" << kSqliteDriver << "\n\n[MirletTDS]\nDriver=" << kTdsDriver << "\n";
    std::ofstream(folder.file("odbc.ini")) << "";
    setenv("ODBCSYSINI", folder.path().c_str(), 1);
    setenv("ODBCINI", folder.file("odbc.ini").c_str(), 1);
    return true;
  }();
  (void)written;
  return folder;
}

std::string odbc_text(const std::string& database) {
  odbc_configuration();
  return "odbc:DRIVER=MirletSQLite;Database=" + database +
         ";Timeout=5000;LoadExt=" + MIRLET_SQLITE_EXTENSION + ";dialect=sqlite";
}

enum class Engine { embedded, odbc_sqlite };

class Conformance : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.status().ok()) << demo_.status().text;
    if (GetParam() == Engine::odbc_sqlite && !std::filesystem::exists(kSqliteDriver))
      GTEST_SKIP() << "the SQLite ODBC driver is not installed";
    ASSERT_TRUE(open(client_).ok());
    ASSERT_TRUE(client_->open(db::Channel::VAX).ok());
  }

  db::Status open(std::unique_ptr<db::Client>& out) const {
    const std::string text =
        GetParam() == Engine::embedded ? "sqlite:" + demo_.path() : odbc_text(demo_.path());
    return connect(text, out);
  }

  // Every row of the statement, columns joined by "|"; "error <text>" when it fails.
  std::vector<std::string> rows(std::string_view statement, db::Client* client = nullptr) {
    db::Client& c = client ? *client : *client_;
    const db::Status s = c.send(db::Channel::VAX, statement);
    if (!s.ok()) return {"error " + std::to_string(s.code) + " " + s.text};
    std::vector<std::string> out;
    while (c.next(db::Channel::VAX).ok()) {
      std::string line;
      for (std::size_t i = 1; i <= c.columns(db::Channel::VAX); ++i) {
        if (i > 1) line += "|";
        line += c.field(db::Channel::VAX, i);
      }
      out.push_back(std::move(line));
    }
    return out;
  }

  testing::DemoDb demo_;
  std::unique_ptr<db::Client> client_;
};

TEST_P(Conformance, RowsAreTextsAndNullIsEmpty) {
  EXPECT_EQ(rows("select NAZWA, NIP, LIMIT_KUPIECKI, DNI_PO_TERMINIE, KOD_POCZTOWY from KONTRAHENT where "
                 "ID_KONTRAHENTA in (900003, 900004) order by ID_KONTRAHENTA"),
            (std::vector<std::string>{"Sklep Spożywczy O'Hara|5260250239|20000|14|",
                                      "Delikatesy Pod Limitem|5260250245|10000|0|"}));
  // The server's collation: case and Polish letters compare alike, trailing blanks do not count.
  EXPECT_EQ(rows("select count(*) from KONTRAHENT where NAZWA = 'SKLEP SPOŻYWCZY O''HARA  '"),
            std::vector<std::string>{"1"});
  EXPECT_EQ(rows("select 1 where 1 = 0"), std::vector<std::string>{});
}

TEST_P(Conformance, AColumnKeepsAThousandLettersWithoutSplittingOne) {
  const std::vector<std::string> got = rows("select replicate('ż', 1500), 'x'");
  ASSERT_EQ(got.size(), 1u);
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += "ż";
  EXPECT_EQ(got[0], expected + "|x");
}

TEST_P(Conformance, AFailedStatementSaysWhyAndLeavesTheChannelUsable) {
  const std::vector<std::string> failed = rows("select * from NIE_MA_TAKIEJ_TABELI");
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_TRUE(failed[0].starts_with("error 90 ")) << failed[0];
  EXPECT_NE(failed[0].find("NIE_MA_TAKIEJ_TABELI"), std::string::npos) << failed[0];
  EXPECT_EQ(rows("select 2 + 3"), std::vector<std::string>{"5"});
}

TEST_P(Conformance, ProceduresReturnTheirRowsAndTheirReturnCode) {
  const std::vector<std::string> balance = rows("call AP_ObliczSaldoKontrahenta(900004,0,82000,3)");
  ASSERT_EQ(balance.size(), 1u);
  EXPECT_TRUE(balance[0].starts_with("6500.00|4000.00|300.00|6200.00|10000.00|")) << balance[0];

  ASSERT_TRUE(client_->send(db::Channel::VAX, "&RetCode = call RM_Przywroc_ZORVA_zaznaczone(1,77,5,0)").ok());
  EXPECT_EQ(client_->ret_code(db::Channel::VAX), 0);
  ASSERT_TRUE(client_->send(db::Channel::VAX, "call JL_Zaznacz(77,5,1001)").ok());
  ASSERT_TRUE(client_->send(db::Channel::VAX, "&RetCode = call RM_Zachowaj_ZORVA_zaznaczone(1,77,5,0)").ok());
  EXPECT_EQ(client_->ret_code(db::Channel::VAX), 1);
  EXPECT_EQ(rows("select ID from ZAZNACZONE_ZACHOWANE where ID_SESJI = 77"),
            std::vector<std::string>{"1001"});
  EXPECT_EQ(rows("call NIE_MA_TAKIEJ_PROCEDURY(1)").front().rfind("error 90", 0), 0u);
}

TEST_P(Conformance, WritesAreCommittedForEveryOtherConnection) {
  ASSERT_TRUE(
      client_->send(db::Channel::VAX, "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('ZZ', 'Zażółć')")
          .ok());
  std::unique_ptr<db::Client> other;
  ASSERT_TRUE(open(other).ok());
  ASSERT_TRUE(other->open(db::Channel::VAX).ok());
  EXPECT_EQ(rows("select NAZWA_KRAJU from KRAJE where SYM_KRAJU = 'ZZ'", other.get()),
            std::vector<std::string>{"Zażółć"});
  // A write the key refuses changes nothing.
  EXPECT_FALSE(
      client_->send(db::Channel::VAX, "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('ZZ', 'again')")
          .ok());
  EXPECT_EQ(rows("select count(*) from KRAJE where SYM_KRAJU = 'ZZ'", other.get()),
            std::vector<std::string>{"1"});
}

TEST_P(Conformance, EveryThreadHasItsOwnConnectionAndRows) {
  std::vector<std::thread> threads;
  std::vector<std::string> seen(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      if (!client_->open(db::Channel::VAX2).ok()) return;
      const std::string id = std::to_string(900001 + t);
      for (int i = 0; i < 20; ++i) {
        if (!client_->send(db::Channel::VAX2, "select NAZWA from KONTRAHENT where ID_KONTRAHENTA = " + id)
                 .ok() ||
            !client_->next(db::Channel::VAX2).ok()) {
          seen[t] = "failed";
          return;
        }
        seen[t] = std::string(client_->field(db::Channel::VAX2, 1));
      }
      client_->close(db::Channel::VAX2);
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(seen, (std::vector<std::string>{"Kiosk Pod Zegarem", "Hurtownia Zablokowana Sp. z o.o.",
                                            "Sklep Spożywczy O'Hara", "Delikatesy Pod Limitem"}));
}

std::size_t column_of(const db::TableShape& shape, std::string_view name) {
  for (std::size_t c = 0; c < shape.columns.size(); ++c) {
    if (shape.columns[c].name == name) return c;
  }
  return shape.columns.size();
}

TEST_P(Conformance, RecordAccessDescribesReadsAndWritesWithBoundValues) {
  db::RecordConnection* records = nullptr;
  ASSERT_TRUE(client_->records(records).ok());
  ASSERT_NE(records, nullptr);
  db::TableShape kraje;
  ASSERT_TRUE(records->describe("KRAJE", kraje).ok());
  const std::size_t symbol = column_of(kraje, "SYM_KRAJU"), name = column_of(kraje, "NAZWA_KRAJU");
  ASSERT_LT(name, kraje.columns.size());
  EXPECT_EQ(kraje.primary, std::vector<std::size_t>{symbol});
  EXPECT_TRUE(kraje.columns[name].textual);
  EXPECT_EQ(kraje.columns[name].width, 50u);
  ASSERT_EQ(kraje.keys.size(), 1u);
  EXPECT_EQ(kraje.keys[0].name, "AK_KRAJE_NAZWA_KRAJE");
  EXPECT_TRUE(kraje.keys[0].unique);
  EXPECT_EQ(records->describe("NIE_MA_TAKIEJ", kraje).code, db::kStatementFailed);
  ASSERT_TRUE(records->describe("KRAJE", kraje).ok());

  // A value with a quote travels bound, never as text of the statement.
  db::RecordRow row;
  std::vector<db::Value> values(kraje.columns.size(), db::Value::null());
  values[symbol] = db::Value::text("QQ");
  values[name] = db::Value::text("Wyspa O'Neill; DROP TABLE KRAJE");
  ASSERT_TRUE(records->insert(kraje, values, row).ok());
  EXPECT_EQ(row.values[name], "Wyspa O'Neill; DROP TABLE KRAJE");
  EXPECT_EQ(records->insert(kraje, values, row).code, db::kDuplicateKey);

  ASSERT_TRUE(records->find(kraje, {symbol}, {db::Value::text("QQ")}, {symbol}, row).ok());
  EXPECT_EQ(row.values[name], "Wyspa O'Neill; DROP TABLE KRAJE");
  EXPECT_EQ(records->find(kraje, {symbol}, {db::Value::text("Q?")}, {symbol}, row).code, db::kRecordNotFound);

  // In key order: the row after "PL", and after the last one nothing.
  ASSERT_TRUE(records->read_next(kraje, {symbol}, {db::Value::text("PL")}, false, row).ok());
  EXPECT_EQ(row.values[symbol], "QQ");
  ASSERT_TRUE(records->read_next(kraje, {symbol}, {db::Value::text("QQ")}, true, row).ok());
  EXPECT_EQ(row.values[symbol], "QQ");
  EXPECT_EQ(records->read_next(kraje, {symbol}, {db::Value::text("ZZZ")}, false, row).code,
            db::kRecordNotAvailable);

  values[name] = db::Value::text("Nowa nazwa");
  ASSERT_TRUE(records->update(kraje, {db::Value::text("QQ")}, values).ok());
  EXPECT_EQ(rows("select NAZWA_KRAJU from KRAJE where SYM_KRAJU = 'QQ'"),
            std::vector<std::string>{"Nowa nazwa"});
  EXPECT_EQ(records->update(kraje, {db::Value::text("Q?")}, values).code, db::kRecordNotFound);
  ASSERT_TRUE(records->remove(kraje, {db::Value::text("QQ")}).ok());
  EXPECT_EQ(records->remove(kraje, {db::Value::text("QQ")}).code, db::kRecordNotFound);
  EXPECT_EQ(rows("select count(*) from KRAJE where SYM_KRAJU = 'QQ'"), std::vector<std::string>{"0"});
}

TEST_P(Conformance, AnInsertedRowComesBackWithItsAssignedKeyAndDefaults) {
  db::RecordConnection* records = nullptr;
  ASSERT_TRUE(client_->records(records).ok());
  db::TableShape banks;
  ASSERT_TRUE(records->describe("BANKI", banks).ok());
  ASSERT_EQ(banks.primary.size(), 1u);
  std::vector<db::Value> values(banks.columns.size(), db::Value::null());
  values[column_of(banks, "NAZWA")] = db::Value::text("Bank Zażółć");
  db::RecordRow row;
  const db::Status inserted = records->insert(banks, values, row);
  ASSERT_TRUE(inserted.ok()) << inserted.text;
  const std::string id = row.values[banks.primary[0]];
  EXPECT_FALSE(id.empty());
  EXPECT_FALSE(row.null[banks.primary[0]]);
  EXPECT_EQ(rows("select NAZWA from BANKI where ID_BANKU = " + id), std::vector<std::string>{"Bank Zażółć"});
}

TEST_P(Conformance, ABlobKeepsEveryByteBoundAndReadWhole) {
  db::RecordConnection* records = nullptr;
  ASSERT_TRUE(client_->records(records).ok());
  db::TableShape articles;
  ASSERT_TRUE(records->describe("ARTYKUL", articles).ok());
  const std::size_t photo = column_of(articles, "ZDJECIE"), key = articles.primary.at(0);
  ASSERT_LT(photo, articles.columns.size());
  EXPECT_TRUE(articles.columns[photo].binary);
  EXPECT_FALSE(articles.columns[photo].textual);
  EXPECT_FALSE(articles.columns[column_of(articles, "NAZWA")].binary);

  // Zero bytes, bytes that are no UTF-8, a quote, and more than a channel keeps of a value or a read block.
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += static_cast<char>((i * 7919) % 256);
  bytes += std::string("\0'\xff", 3);
  db::RecordRow row;
  ASSERT_TRUE(records->find(articles, {key}, {db::Value::integer(101)}, {key}, row).ok());
  std::vector<db::Value> values;
  for (std::size_t c = 0; c < articles.columns.size(); ++c)
    values.push_back(row.null[c] ? db::Value::null() : db::Value::text(row.values[c]));
  values[photo] = db::Value::bytes(bytes);
  const db::Status updated = records->update(articles, {db::Value::integer(101)}, values);
  ASSERT_TRUE(updated.ok()) << updated.text;
  ASSERT_TRUE(records->find(articles, {key}, {db::Value::integer(101)}, {key}, row).ok());
  EXPECT_FALSE(row.null[photo]);
  EXPECT_EQ(row.values[photo].size(), bytes.size());
  EXPECT_TRUE(row.values[photo] == bytes);
  // Stored as a blob, not as a text of odd letters.
  EXPECT_EQ(rows("select typeof(ZDJECIE) from ARTYKUL where ID_ARTYKULU = 101"),
            std::vector<std::string>{"blob"});
  EXPECT_EQ(rows("select DATALENGTH(ZDJECIE), DATALENGTH(NAZWA) from ARTYKUL where ID_ARTYKULU = 101"),
            std::vector<std::string>{std::to_string(bytes.size()) + "|" +
                                     std::to_string(row.values[column_of(articles, "NAZWA")].size())});
}

INSTANTIATE_TEST_SUITE_P(Engines, Conformance, ::testing::Values(Engine::embedded, Engine::odbc_sqlite),
                         [](const auto& info) {
                           return info.param == Engine::embedded ? "embedded" : "odbc_sqlite";
                         });

// What the ODBC engine alone can meet: drivers and servers that are not there.
TEST(OdbcEngine, AMissingDriverIsOneClearErrorOnTheFirstStatement) {
  odbc_configuration();
  std::unique_ptr<db::Client> client;
  ASSERT_TRUE(connect("odbc:DRIVER=NoSuchDriver;Database=/nowhere", client).ok());
  client->open(db::Channel::VAX);
  const db::Status s = client->send(db::Channel::VAX, "select 1");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.text.find("NoSuchDriver"), std::string::npos) << s.text;
  EXPECT_FALSE(s.transient()) << s.text;  // no retries: it will not appear by itself
}

TEST(OdbcEngine, AServerThatDoesNotAnswerFailsWithinTheLoginTimeout) {
  if (!std::filesystem::exists(kTdsDriver)) GTEST_SKIP() << "the FreeTDS driver is not installed";
  odbc_configuration();
  // A listener that accepts and never says a word.
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  socklen_t length = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  const int port = ntohs(address.sin_port);

  std::unique_ptr<db::Client> client;
  ASSERT_TRUE(connect("odbc:DRIVER=MirletTDS;Server=127.0.0.1;Port=" + std::to_string(port) +
                          ";Database=mirlet;UID=sa;PWD=x;TDS_Version=7.4;login_timeout=1",
                      client)
                  .ok());
  const auto start = std::chrono::steady_clock::now();
  client->open(db::Channel::VAX);
  const db::Status s = client->send(db::Channel::VAX, "select 1");
  const auto waited = std::chrono::steady_clock::now() - start;
  ::close(listener);
  EXPECT_FALSE(s.ok());
  EXPECT_TRUE(s.transient()) << s.text;
  EXPECT_LT(waited, std::chrono::seconds(15));
}

}  // namespace
}  // namespace server
