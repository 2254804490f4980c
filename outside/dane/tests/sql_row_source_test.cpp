// Browses over demo tables through the database: the same pages as over the rows in memory, one keyset
// statement per page, and quoting that keeps typed texts out of the statement.
#include "dane/sql_row_source.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dane/browse.h"
#include "db/test_clients.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/text.h"
#include "server/demo.h"
#include "server/server.h"

namespace dane {
namespace {

constexpr db::Channel kChannel = db::Channel::VAX1;

// One demo database for the whole suite, removed at its end.
class DemoDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("danesql");
    const std::string path = folder_->file("demo.db");
    const db::Status made = server::make_demo_database(path, server::DemoSize::Demo);
    ASSERT_TRUE(made.ok()) << made.text;
    const db::Status connected = server::connect("sqlite:" + path, client_);
    ASSERT_TRUE(connected.ok()) << connected.text;
  }
  static void TearDownTestSuite() {
    client_.reset();
    folder_.reset();
  }
  void SetUp() override { ASSERT_NE(client_, nullptr); }

  // Every row of a table, read on a channel of its own: the copy the memory browse pages through.
  static std::vector<Row> all_rows(std::string_view table, const std::vector<Column>& columns) {
    std::string sql = "select ";
    for (std::size_t i = 0; i < columns.size(); ++i) sql += (i ? ", " : "") + columns[i].name;
    sql += " from " + std::string(table);
    client_->open(db::Channel::VAX2);
    EXPECT_TRUE(client_->send(db::Channel::VAX2, sql).ok());
    std::vector<Row> rows;
    while (client_->next(db::Channel::VAX2).ok()) {
      Row r;
      for (std::size_t c = 1; c <= columns.size(); ++c) r.emplace_back(client_->field(db::Channel::VAX2, c));
      rows.push_back(std::move(r));
    }
    client_->close(db::Channel::VAX2);
    return rows;
  }

  static std::optional<mirlet_testing::TempFolder> folder_;
  static std::unique_ptr<db::Client> client_;
};
std::optional<mirlet_testing::TempFolder> DemoDatabase::folder_;
std::unique_ptr<db::Client> DemoDatabase::client_;

std::vector<Column> contractor_columns() {
  return {{"ID_KONTRAHENTA", "Id", "@n9", true},
          {"ID_FIRMY", "Firma", "@n4", true},
          {"NUMER", "Numer", "@n6", true},
          {"NAZWA", "Nazwa", "@s50", false},
          {"MIEJSCOWOSC", "Miejscowość", "@s30", false}};
}
enum ContractorColumn : std::size_t { kId, kFirm, kNumber, kName, kTown };

void add_contractor_orders(BrowseWindow& b) {
  b.add_sort_order(SortOrder{"nazwa", {kName, kId}, false});
  b.add_sort_order(SortOrder{"numer", {kNumber}, false});
  b.add_sort_order(SortOrder{"miejscowosc", {kTown, kName, kId}, false});
}

// The same browse twice: over the database and over a copy of its rows in memory.
struct TwinBrowse {
  TwinBrowse(db::Client& client, std::vector<Row> rows)
      : sql(client, kChannel, "KONTRAHENT", contractor_columns()), memory(contractor_columns()) {
    memory.rows() = std::move(rows);
    for (BrowseWindow* b : {&on_sql, &on_memory}) {
      add_contractor_orders(*b);
      b->set_page_size(6);
    }
  }
  void both(const std::function<void(BrowseWindow&)>& step) {
    step(on_sql);
    step(on_memory);
  }
  SqlRowSource sql;
  MemoryRowSource memory;
  BrowseWindow on_sql{"Kontrahent_Brw", sql};
  BrowseWindow on_memory{"Kontrahent_Brw", memory};
};

struct Scenario {
  const char* name;
  const char* order;
  bool descending;
  const char* firm_limit;  // empty: all companies
  const char* sql_filter;
  std::function<bool(const Row&)> filter;  // the same condition in memory
  // Steps: down, up, end, reset, refresh, locate:TEXT
  std::vector<std::string> steps;
};

void PrintTo(const Scenario& s, std::ostream* os) {
  *os << s.name;
}

class SameAsMemory : public DemoDatabase, public ::testing::WithParamInterface<Scenario> {};

TEST_P(SameAsMemory, EveryStepShowsTheSamePage) {
  const Scenario& s = GetParam();
  TwinBrowse twin(*client_, all_rows("KONTRAHENT", contractor_columns()));
  twin.both([&](BrowseWindow& b) {
    ASSERT_TRUE(b.select_sort_order(s.order));
    if (*s.firm_limit) b.add_range_limit("ID_FIRMY", s.firm_limit);
    if (s.filter) b.set_filter(s.filter, s.sql_filter);
    if (s.descending) b.set_descending(true);
    b.reset();
  });
  std::size_t non_empty = 0;
  for (std::size_t i = 0; i <= s.steps.size(); ++i) {
    if (i > 0) {
      const std::string& step = s.steps[i - 1];
      twin.both([&](BrowseWindow& b) {
        if (step == "down") b.page_down();
        if (step == "up") b.page_up();
        if (step == "end") b.to_end();
        if (step == "reset") b.reset();
        if (step == "refresh") b.refresh();
        if (step.rfind("locate:", 0) == 0) b.locate(step.substr(7));
      });
    }
    SCOPED_TRACE(i == 0 ? std::string("first page")
                        : "after step " + std::to_string(i) + " " + s.steps[i - 1]);
    ASSERT_TRUE(twin.sql.last_status().ok()) << twin.sql.last_status().text;
    EXPECT_EQ(twin.on_sql.rows(), twin.on_memory.rows());
    EXPECT_EQ(twin.on_sql.current_index(), twin.on_memory.current_index());
    non_empty += twin.on_sql.rows().empty() ? 0 : 1;
  }
  EXPECT_GT(non_empty, 0u) << "a scenario that shows nothing proves nothing";
}

bool in_krakow_or_tarnow(const Row& r) {
  return runtime::collate_compare(r[kTown], "Kraków") == 0 ||
         runtime::collate_compare(r[kTown], "Tarnów") == 0;
}

INSTANTIATE_TEST_SUITE_P(
    Contractors, SameAsMemory,
    ::testing::Values(
        Scenario{
            "ByName", "nazwa", false, "", "", {}, {"down", "down", "down", "up", "end", "up", "up", "reset"}},
        Scenario{
            "PastTheEndAndBack", "nazwa", false, "", "", {}, {"end", "down", "down", "up", "up", "up", "up"}},
        Scenario{"ByNumber", "numer", false, "", "", {}, {"down", "down", "end", "up", "locate:17", "down"}},
        Scenario{"ThreeKeyColumns", "miejscowosc", false, "", "", {}, {"down", "down", "up", "end", "up"}},
        Scenario{
            "Descending", "nazwa", true, "", "", {}, {"down", "down", "up", "end", "locate:Sklep", "down"}},
        Scenario{"DescendingNumbers", "numer", true, "", "", {}, {"down", "end", "up", "locate:12"}},
        Scenario{"CompanyLimit", "nazwa", false, "1", "", {}, {"down", "down", "end", "up", "locate:P"}},
        Scenario{"OtherCompany", "miejscowosc", false, "2", "", {}, {"down", "up", "end"}},
        Scenario{"Filter",
                 "miejscowosc",
                 false,
                 "",
                 "MIEJSCOWOSC in ('Kraków', 'Tarnów')",
                 in_krakow_or_tarnow,
                 {"down", "end", "up", "locate:t"}},
        Scenario{"LimitFilterAndDescending",
                 "nazwa",
                 true,
                 "1",
                 "MIEJSCOWOSC in ('Kraków', 'Tarnów')",
                 in_krakow_or_tarnow,
                 {"down", "up", "end"}},
        Scenario{"LocatorCaseBlindWithPolishLetters",
                 "miejscowosc",
                 false,
                 "",
                 "",
                 {},
                 {"locate:oś", "down", "locate:NOWY SĄCZ", "up", "locate:kra", "refresh"}},
        Scenario{"LocatorPastEverything", "nazwa", false, "", "", {}, {"down", "locate:Żuraw", "down"}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// The provinces: a Polish letter in the locator must land by the Polish alphabet, not by bytes.
TEST_F(DemoDatabase, LocatorFollowsThePolishAlphabet) {
  SqlRowSource source(*client_, kChannel, "WOJEWODZTWO",
                      std::vector<Column>{{"NAZWA", "Nazwa", "@s30", false}});
  BrowseWindow b("Wojewodztwa_Brw", source);
  b.set_page_size(3);
  b.reset();
  EXPECT_EQ(b.current_cell("NAZWA"), "dolnośląskie");
  ASSERT_TRUE(b.locate("Ł"));
  EXPECT_EQ(b.current_cell("NAZWA"), "łódzkie");  // after lubuskie, before małopolskie
  ASSERT_TRUE(b.locate("ś"));
  EXPECT_EQ(b.current_cell("NAZWA"), "śląskie");
  b.page_up();
  EXPECT_EQ(b.rows().back()[0], "pomorskie");
  EXPECT_FALSE(b.locate("ż"));  // nothing from ż on: the page stays
  EXPECT_EQ(b.rows().back()[0], "pomorskie");
  EXPECT_TRUE(source.last_status().ok());
}

// A browse whose columns carry names of their own reads and compares the database fields behind them.
TEST_F(DemoDatabase, ColumnsNamedApartFromTheirFields) {
  SqlRowSource source(*client_, kChannel, "WALUTY",
                      std::vector<SqlColumn>{{{"WAL:SYMBOL", "Symbol", "@s3", false}, "SYM_WALUTY"},
                                             {{"WAL:NR", "Nr", "@n4", true}, "NUMER"}});
  BrowseWindow b("Waluty_Brw", source);
  b.set_page_size(3);
  ASSERT_TRUE(b.locate("pln"));
  EXPECT_EQ(b.current_cell("WAL:SYMBOL"), "PLN");
  b.add_range_limit("WAL:NR", "1");
  b.reset();
  ASSERT_EQ(b.rows().size(), 1u);
  EXPECT_EQ(b.current_cell("WAL:SYMBOL"), "PLN");
  EXPECT_TRUE(source.last_status().ok()) << source.last_status().text;
}

// Counts the pages asked for, to hold the source to one statement each.
class CountingSource : public RowSource {
 public:
  explicit CountingSource(RowSource& inner) : inner_(inner) {}
  const std::vector<Column>& columns() const override { return inner_.columns(); }
  std::vector<Row> page(const PageQuery& q, std::size_t count) override {
    ++pages;
    return inner_.page(q, count);
  }
  std::size_t pages = 0;

 private:
  RowSource& inner_;
};

TEST_F(DemoDatabase, EachPageIsOneStatementThatReadsAPageOfRows) {
  db::RecordingClient recording(*client_);
  SqlRowSource source(recording, kChannel, "KONTRAHENT", contractor_columns());
  CountingSource counting(source);
  BrowseWindow b("Kontrahent_Brw", counting);
  add_contractor_orders(b);
  b.set_page_size(5);
  b.reset();
  b.page_down();
  b.page_down();
  b.page_up();
  b.to_end();
  b.locate("Sklep");
  b.refresh();
  ASSERT_TRUE(b.select_sort_order("miejscowosc"));
  b.page_down();

  std::size_t sends = 0, reads = 0, reads_of_statement = 0;
  for (const auto& e : recording.events()) {
    ASSERT_EQ(e.channel, kChannel);
    if (e.op == db::RecordingClient::Op::Send) {
      ++sends;
      EXPECT_EQ(e.code, db::kOk) << e.statement;
      EXPECT_EQ(e.statement.rfind("select top ", 0), 0u) << e.statement;
      reads_of_statement = 0;
    }
    if (e.op == db::RecordingClient::Op::Next) {
      ++reads;
      EXPECT_LE(++reads_of_statement, 6u) << "more rows read than a page and its end";
    }
  }
  EXPECT_EQ(sends, counting.pages);
  EXPECT_GT(reads, 0u);
}

TEST_F(DemoDatabase, StatementsAreKeysetPagedWithTheComparisonSpeltOut) {
  SqlRowSource source(*client_, kChannel, "KONTRAHENT", contractor_columns());
  PageQuery q;
  q.order = SortOrder{"miejscowosc", {kTown, kName, kId}, false};
  q.limits = {RangeLimit{kFirm, "1"}};
  q.sql_filter = "ODBIORCA = 1";
  q.after_key = Row{"7", "1", "7", "Sklep O'Neill", "Kraków"};
  EXPECT_EQ(source.statement(q, 25),
            "select top 25 ID_KONTRAHENTA, ID_FIRMY, NUMER, NAZWA, MIEJSCOWOSC from KONTRAHENT with (nolock) "
            "where ID_FIRMY = 1 and (ODBIORCA = 1) and MIEJSCOWOSC >= 'Kraków' and ((MIEJSCOWOSC > 'Kraków') "
            "or (MIEJSCOWOSC = 'Kraków' and NAZWA > 'Sklep O''Neill') or (MIEJSCOWOSC = 'Kraków' and NAZWA = "
            "'Sklep O''Neill' and ID_KONTRAHENTA > 7)) order by MIEJSCOWOSC, NAZWA, ID_KONTRAHENTA");
  q.backwards = true;
  q.order.descending = true;
  q.order.key_columns = {kNumber};
  q.limits.clear();
  q.sql_filter.clear();
  EXPECT_EQ(source.statement(q, 1),
            "select top 1 ID_KONTRAHENTA, ID_FIRMY, NUMER, NAZWA, MIEJSCOWOSC from KONTRAHENT with (nolock) "
            "where NUMER > 7 order by NUMER");
  q.after_key.reset();
  q.backwards = false;
  q.locate = "x";  // not a number: the locator of a numeric key starts at 0
  EXPECT_EQ(source.statement(q, 3),
            "select top 3 ID_KONTRAHENTA, ID_FIRMY, NUMER, NAZWA, MIEJSCOWOSC from KONTRAHENT with (nolock) "
            "where NUMER <= 0 order by NUMER desc");
}

TEST_F(DemoDatabase, ApostrophesAndNonNumbersStayInsideTheirLiterals) {
  db::RecordingClient recording(*client_);
  recording.open(db::Channel::VAX2);
  ASSERT_TRUE(recording
                  .send(db::Channel::VAX2,
                        "insert into KRAJE (SYM_KRAJU, NAZWA_KRAJU) values ('XO', "
                        "'Wyspa O''Connor')")
                  .ok());
  recording.close(db::Channel::VAX2);
  recording.forget();

  const std::vector<Column> columns{{"SYM_KRAJU", "Symbol", "@s3", false},
                                    {"NAZWA_KRAJU", "Nazwa", "@s50", false}};
  SqlRowSource source(recording, kChannel, "KRAJE", columns);
  BrowseWindow b("Kraje_Brw", source);
  b.add_sort_order(SortOrder{"nazwa", {1}, false});

  b.add_range_limit("NAZWA_KRAJU", "Wyspa O'Connor");
  b.reset();
  ASSERT_EQ(b.rows().size(), 1u);
  EXPECT_EQ(b.current_cell("SYM_KRAJU"), "XO");
  ASSERT_TRUE(b.locate("wyspa o'c"));
  EXPECT_EQ(b.current_cell("SYM_KRAJU"), "XO");
  const auto sent = recording.statements();
  EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [](const std::string& s) {
    return s.find("NAZWA_KRAJU >= 'wyspa o''c'") != std::string::npos;
  }));

  BrowseWindow injected("Kraje_Brw", source);
  injected.add_range_limit("NAZWA_KRAJU", "x' or '1'='1");
  injected.reset();
  EXPECT_TRUE(source.last_status().ok()) << source.last_status().text;
  EXPECT_TRUE(injected.rows().empty());
  EXPECT_NE(recording.statements().back().find("NAZWA_KRAJU = 'x'' or ''1''=''1'"), std::string::npos);
  EXPECT_FALSE(injected.locate("'; drop table KRAJE --"));
  EXPECT_TRUE(source.last_status().ok()) << source.last_status().text;

  SqlRowSource contractors(recording, kChannel, "KONTRAHENT", contractor_columns());
  BrowseWindow by_number("Kontrahent_Brw", contractors);
  by_number.add_range_limit("ID_FIRMY", "1 or 1=1");
  by_number.reset();
  EXPECT_TRUE(contractors.last_status().ok()) << contractors.last_status().text;
  EXPECT_TRUE(by_number.rows().empty());
  EXPECT_NE(recording.statements().back().find("ID_FIRMY = 0"), std::string::npos);
  EXPECT_EQ(all_rows("KRAJE", columns).size(), 13u);  // the table is still there, with the added row
}

TEST_F(DemoDatabase, ViewsAndDerivedSelectsPageLikeTables) {
  client_->open(db::Channel::VAX2);
  ASSERT_TRUE(client_
                  ->send(db::Channel::VAX2,
                         "create view KONTRAHENT_FIRMY_1 as select ID_KONTRAHENTA, NAZWA, MIEJSCOWOSC from "
                         "KONTRAHENT where ID_FIRMY = 1")
                  .ok());
  client_->close(db::Channel::VAX2);
  const std::vector<Column> columns{{"ID_KONTRAHENTA", "Id", "@n9", true},
                                    {"NAZWA", "Nazwa", "@s50", false},
                                    {"MIEJSCOWOSC", "Miejscowość", "@s30", false}};
  for (const char* from :
       {"KONTRAHENT_FIRMY_1",
        "(select ID_KONTRAHENTA, NAZWA, MIEJSCOWOSC from KONTRAHENT where ID_FIRMY = 2) k"}) {
    SCOPED_TRACE(from);
    SqlRowSource source(*client_, kChannel, from, columns);
    MemoryRowSource memory(columns);
    memory.rows() = all_rows(from, columns);
    BrowseWindow on_sql("Kontrahent_Brw", source), on_memory("Kontrahent_Brw", memory);
    for (BrowseWindow* b : {&on_sql, &on_memory}) {
      b->add_sort_order(SortOrder{"miejscowosc", {2, 1, 0}, false});
      b->set_page_size(2);
      b->reset();
      b->page_down();
      b->page_down();
      b->page_up();
      b->locate("Ta");
    }
    ASSERT_TRUE(source.last_status().ok()) << source.last_status().text;
    EXPECT_FALSE(on_sql.rows().empty());
    EXPECT_EQ(on_sql.rows(), on_memory.rows());
  }
}

TEST_F(DemoDatabase, FailuresAreReportedNotShownAsAnEmptyTable) {
  SqlRowSource source(*client_, kChannel, "KONTRAHENT", contractor_columns());
  BrowseWindow b("Kontrahent_Brw", source);
  b.set_filter({}, "NIEZNANA_KOLUMNA = 1");
  b.reset();
  EXPECT_TRUE(b.rows().empty());
  EXPECT_EQ(source.last_status().code, db::kStatementFailed);

  db::RecordingClient recording(*client_);
  SqlRowSource narrow(recording, db::Channel::VAXFSQL, "KONTRAHENT", contractor_columns());
  EXPECT_TRUE(narrow.page(PageQuery{}, 5).empty());
  EXPECT_EQ(narrow.last_status().code, db::kInvalidDeclaration);
  EXPECT_TRUE(recording.statements().empty());  // five columns do not fit a channel of four
}

}  // namespace
}  // namespace dane
