#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "fixture.h"
#include "runtime/text.h"
#include "server/server.h"

namespace server {
namespace {

struct CorpusEntry {
  std::size_t line;
  std::string text;
  std::optional<std::string> expected;  // first column of the first row, from a "-- expect: " line
};

std::vector<CorpusEntry> read_corpus() {
  std::ifstream in(MIRLET_CORPUS_FILE);
  std::vector<CorpusEntry> out;
  std::string line;
  std::string batch;
  std::size_t number = 0;
  std::size_t start = 1;
  std::optional<std::string> expected;
  const auto flush = [&] {
    if (!runtime::trim(batch).empty()) out.push_back({start, batch, expected});
    batch.clear();
    expected.reset();
    start = number + 1;
  };
  while (std::getline(in, line)) {
    ++number;
    if (runtime::same_name(runtime::trim_left(line), "go")) {
      flush();
    } else if (line.rfind("-- expect: ", 0) == 0) {
      expected = line.substr(11);
    } else if (line.rfind("--", 0) != 0) {
      batch += line + "\n";
    } else if (batch.empty()) {
      start = number + 1;
    }
  }
  flush();
  return out;
}

// Every statement of the corpus runs, in order, on one fresh demo database through a channel.
TEST(Corpus, EveryStatementRunsOnTheDemoDatabase) {
  const auto corpus = read_corpus();
  ASSERT_GE(corpus.size(), 60u);
  testing::DemoDb demo;
  ASSERT_TRUE(demo.status().ok()) << demo.status().text;
  std::unique_ptr<db::Client> client;
  ASSERT_TRUE(connect("sqlite:" + demo.path(), client).ok());
  client->open(db::Channel::VAX2);
  for (const CorpusEntry& e : corpus) {
    const db::Status s = client->send(db::Channel::VAX2, e.text);
    EXPECT_TRUE(s.ok()) << "line " << e.line << ": " << s.text << "\n" << e.text;
    if (s.ok() && e.expected) {
      const bool row = client->next(db::Channel::VAX2).ok();
      EXPECT_EQ(row ? std::string(client->field(db::Channel::VAX2, 1)) : "<no row>", *e.expected)
          << "line " << e.line << "\n"
          << e.text;
    }
  }
  // Spot checks of effects that later statements of the corpus rely on.
  ASSERT_TRUE(client
                  ->send(db::Channel::VAX2,
                         "select wartosc from inter_parametr_uzytkownik i, ini_parametr p where "
                         "p.id_parametru=i.id_parametru and p.nazwa='porządek' and "
                         "i.id_uzytkownika=3000002")
                  .ok());
  ASSERT_TRUE(client->next(db::Channel::VAX2).ok());
  EXPECT_EQ(client->field(db::Channel::VAX2, 1), "malejąco");
}

}  // namespace
}  // namespace server
