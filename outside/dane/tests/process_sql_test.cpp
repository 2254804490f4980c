// The process object over a query of the demo database: every row of the statement once, in key order,
// while the pass itself writes to the rows it reads.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dane/process.h"
#include "dane/sql_row_source.h"
#include "demo_session.h"

namespace dane {
namespace {

class ProcessOverQuery : public testing::DemoSession {
 protected:
  std::string value(const std::string& statement) {
    client().open(db::Channel::VAX2);
    std::string out;
    if (client().send(db::Channel::VAX2, statement).ok() && client().next(db::Channel::VAX2).ok())
      out = client().field(db::Channel::VAX2, 1);
    client().close(db::Channel::VAX2);
    return out;
  }
};

TEST_F(ProcessOverQuery, EveryBankOnceByNameWhileThePassRenamesThem) {
  SqlRowSource banks(
      client(), db::Channel::VAX1, "BANKI",
      std::vector<Column>{{"NAZWA", "Nazwa", "@s100", false}, {"ID_BANKU", "Id", "@n9", true}});
  ProcessPass pass("Zmiana nazw banków", banks, SortOrder{"nazwa", {0, 1}, false});
  pass.set_page_size(16);
  pass.set_filter({}, "MIEJSCOWOSC <> ''");
  const std::size_t expected = std::stoul(value("select count(*) from BANKI where MIEJSCOWOSC <> ''"));
  pass.set_total(expected);
  std::set<std::string> seen;
  std::string previous;
  bool ordered = true;
  const ProcessResult result = pass.run([&](const Row& row) {
    ordered = ordered && (previous.empty() || compare_cells(banks.columns()[0], previous, row[0]) <= 0);
    previous = row[0];
    seen.insert(row[1]);
    // "A " sorts before every name read so far: a pass that paged by position would meet rows again.
    client().open(db::Channel::VAX2);
    const bool renamed =
        client()
            .send(db::Channel::VAX2,
                  "update BANKI set NAZWA = 'A ' + NAZWA where ID_BANKU = " + number_literal(row[1]))
            .ok();
    client().close(db::Channel::VAX2);
    return renamed;
  });
  EXPECT_FALSE(result.cancelled);
  EXPECT_FALSE(result.stopped);
  EXPECT_GT(expected, 16u);
  EXPECT_EQ(result.rows, expected);
  EXPECT_EQ(seen.size(), expected);
  EXPECT_TRUE(ordered);
  EXPECT_TRUE(banks.last_status().ok()) << banks.last_status().text;
  EXPECT_EQ(value("select count(*) from BANKI where NAZWA like 'A %'"), std::to_string(expected));
}

}  // namespace
}  // namespace dane
