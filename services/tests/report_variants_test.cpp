#include "keldox/report_variants.h"
#include "mirlet_testing/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "dane/table.h"
#include "db/test_clients.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "named_rows.h"
#include "server/demo.h"
#include "server/server.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;  // name, value in list order

Values listed() {
  Values out;
  for (const auto& e : dane::PARAMETRYWARIANTUQ) out.emplace_back(e.NAZWA.str(), e.WARTOSC.str());
  return out;
}

const char* const kQuestion =
    "Czy zmienić nazwę istniejącego wariantu, |czy utworzyć nowy o wprowadzonej nazwie, |czy może usunąć "
    "wprowadzony wariant?";
const char* const kNameTaken = "Wariant o podanej nazwie już istnieje!";

// Boxes through the scripted host, statements through a recording client over `inner`.
class VariantSession : public ::testing::Test {
 protected:
  void start(db::Client& inner) {
    recording_ = std::make_unique<db::RecordingClient>(inner);
    script.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
    dane::install_host(&script);
    dane::install_database(recording_.get());
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    forget_loaded_variants();
    dane::PARAMETRYWARIANTUQ.reset();
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::install_host(nullptr);
    dane::PARAMETRYWARIANTUQ.reset();
    forget_loaded_variants();
  }
  db::RecordingClient& recording() { return *recording_; }
  std::vector<std::string> texts_of(const char* kind) const {
    std::vector<std::string> out;
    for (const auto& s : script.shown())
      if (s.kind == kind) out.push_back(s.text);
    return out;
  }
  std::vector<std::string> warnings() const {
    std::vector<std::string> out;
    for (const auto& s : script.shown())
      if (s.kind == "message" && s.title == "MIRLET: Ostrzeżenie") out.push_back(s.text);
    return out;
  }

  ui_script::ScriptHost script;

 private:
  std::unique_ptr<db::RecordingClient> recording_;
};

// ---- Statements as composed, against a scripted client.

class VariantStatements : public VariantSession {
 protected:
  void SetUp() override { start(scripted); }
  // Report 10, variant 4: three parameters, the second without a stored value.
  void load() {
    scripted.queue_rows({{"Data od", "82488", "100"}, {"IBAN", "", "101"}, {"Magazyn", "1", "102"}});
    INICJUJWARIANT(4, 10);
    recording().forget();
  }
  db::ScriptedClient scripted;
};

const std::string kLoadStatement =
    "select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p with (nolock) LEFT OUTER JOIN "
    "WARTOSC_PARAMETRU w  with (nolock) ON (p.id_parametru=w.id_parametru and w.id_wariantu=4 and "
    "w.id_uzytkownika=3000001) where p.id_raportu = 10";

TEST_F(VariantStatements, LoadListsEveryParameterAndASecondLoadComesFromTheCopy) {
  scripted.queue_rows({{"Data od", "82488", "100"}, {"IBAN", "", "101"}, {"Magazyn", "1", "102"}});
  INICJUJWARIANT(4, 10);
  const Values expected{{"Data od", "82488"}, {"IBAN", ""}, {"Magazyn", "1"}};
  EXPECT_EQ(listed(), expected);
  EXPECT_EQ(dane::PARAMETRYWARIANTUQ.entry(3)->ID_PARAMETRU, 102);
  EXPECT_EQ(dane::PARAMETRYWARIANTUQ.entry(3)->ID_WARIANTU, 4);
  INICJUJWARIANT(5, 10);  // another variant: read, and nothing queued gives no parameters
  EXPECT_TRUE(listed().empty());
  INICJUJWARIANT(4, 10);
  EXPECT_EQ(listed(), expected);
  EXPECT_EQ(recording().statements(),
            (std::vector<std::string>{kLoadStatement,
                                      REPLACEPROC2(kLoadStatement, "w.id_wariantu=4", "w.id_wariantu=5")}));
}

TEST_F(VariantStatements, FailedLoadShowsTheServersErrorAndIsReadAgainNextTime) {
  scripted.queue_failure(db::Status::statement_failed("Invalid column name 'nazwa'."));
  INICJUJWARIANT(4, 10);
  EXPECT_TRUE(listed().empty());
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "error");
  EXPECT_EQ(shown[0].title, "Invalid column name 'nazwa'.");
  EXPECT_EQ(shown[0].text, kLoadStatement);
  load();
  EXPECT_EQ(listed().size(), 3u);
}

struct SaveRow {
  const char* name;
  const char* old_name;
  const char* new_name;
  const char* answer;  // the button of the question, nullptr when none is asked
  bool name_taken;
  std::vector<std::string> statements;
  double result;
  std::vector<std::string> warnings;
};

class SaveVariant : public VariantStatements, public ::testing::WithParamInterface<SaveRow> {};

const std::string kWriteDate = "Call JL_ZapiszParametrRaportu (100,4,3000001,'82488')";
const std::string kWriteIban = "Call JL_ZapiszParametrRaportu (101,4,3000001,'')";
const std::string kWriteStore = "Call JL_ZapiszParametrRaportu (102,4,3000001,'1')";

TEST_P(SaveVariant, SettlesTheNameThenWritesEveryValue) {
  const SaveRow& row = GetParam();
  load();
  if (row.answer) script.answer(row.answer, "MIRLET: Pytanie", kQuestion);
  for (const std::string& w : row.warnings) script.answer("OK", "MIRLET: Ostrzeżenie", w);
  if (row.name_taken) scripted.queue_rows({{"1"}});
  EXPECT_EQ(ZAPISZWARIANT(4, 10, row.old_name, row.new_name), row.result);
  EXPECT_EQ(recording().statements(), row.statements);
  EXPECT_EQ(warnings(), row.warnings);
  EXPECT_TRUE(script.finished());
}

INSTANTIATE_TEST_SUITE_P(
    Statements, SaveVariant,
    ::testing::Values(
        SaveRow{"same_name_writes_values_only",
                "Miesięczny",
                "Miesięczny   ",
                nullptr,
                false,
                {kWriteDate, kWriteIban, kWriteStore},
                4,
                {}},
        SaveRow{"empty_name_refused",
                "Miesięczny",
                "   ",
                nullptr,
                false,
                {},
                0,
                {"Proszę wprowadzić nazwę wariantu!"}},
        SaveRow{"cancel_does_nothing", "Miesięczny", "Roczny", "Anuluj", false, {}, 0, {}},
        SaveRow{"rename_quotes_both_names",
                "Zbiorczy 'A'",
                "O'Neil",
                "Zapisz zmianę",
                false,
                {"select 1 from wariant with (nolock) where id_raportu=10 and nazwa='O''Neil'",
                 "update wariant  with (rowlock) set nazwa='O''Neil' where id_raportu=10 and nazwa='Zbiorczy "
                 "''A'''",
                 kWriteDate, kWriteIban, kWriteStore},
                4,
                {}},
        SaveRow{"rename_to_a_taken_name_refused",
                "Miesięczny",
                "Kwartalny",
                "Zapisz zmianę",
                true,
                {"select 1 from wariant with (nolock) where id_raportu=10 and nazwa='Kwartalny'"},
                0,
                {kNameTaken}},
        SaveRow{"new_variant_with_a_taken_name_refused",
                "Miesięczny",
                "Kwartalny",
                "Nowy wariant",
                true,
                {"select 1 from wariant with (nolock) where id_raportu=10 and nazwa='Kwartalny'"},
                0,
                {kNameTaken}},
        SaveRow{"first_save_with_a_taken_name_refused_unasked",
                "",
                "Kwartalny",
                nullptr,
                true,
                {"select 1 from wariant with (nolock) where id_raportu=10 and nazwa='Kwartalny'"},
                0,
                {kNameTaken}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VariantStatements, QuestionOffersFourButtonsAndDefaultsToCancel) {
  load();
  script.on_failure([](const std::string&) {});  // unscripted: the box's default answers
  EXPECT_EQ(ZAPISZWARIANT(4, 10, "Miesięczny", "Roczny"), 0);
  const auto shown = script.shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "MIRLET: Pytanie");
  EXPECT_EQ(shown[0].text, kQuestion);
  EXPECT_EQ(shown[0].buttons,
            (std::vector<std::string>{"Zapisz zmianę", "Nowy wariant", "Usuń wariant", "Anuluj"}));
  EXPECT_TRUE(recording().statements().empty());
}

TEST_F(VariantStatements, FailedWriteStopsWithTheServersErrorAndSavesNothingMore) {
  load();
  scripted.queue_rows({});
  scripted.queue_failure(db::Status::statement_failed("Could not find stored procedure."));
  EXPECT_EQ(ZAPISZWARIANT(4, 10, "Miesięczny", "Miesięczny"), 0);
  EXPECT_EQ(recording().statements(), (std::vector<std::string>{kWriteDate, kWriteIban}));
  EXPECT_EQ(texts_of("error"), std::vector<std::string>{kWriteIban});
  EXPECT_EQ(script.shown().at(0).title, "Could not find stored procedure.");
}

TEST_F(VariantStatements, FailedRenameStopsBeforeTheValues) {
  load();
  script.answer("Zapisz zmianę");
  scripted.queue_rows({});
  scripted.queue_failure(db::Status::statement_failed("Violation of UNIQUE KEY constraint."));
  EXPECT_EQ(ZAPISZWARIANT(4, 10, "Miesięczny", "Roczny"), 0);
  EXPECT_EQ(recording().statements().size(), 2u);
  EXPECT_EQ(
      texts_of("error"),
      std::vector<std::string>{
          "update wariant  with (rowlock) set nazwa='Roczny' where id_raportu=10 and nazwa='Miesięczny'"});
}

TEST_F(VariantStatements, ValueIsReadSetAndStored) {
  load();
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "1");
  EXPECT_EQ(WARTOSCPARAMETRU("Brak"), "");
  ZAPISZWARTOSCPARAMETRU(std::string(250, 'x'), "Magazyn");
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), std::string(199, 'x'));
  EXPECT_TRUE(recording().statements().empty());  // memory only
  ZAPISZWARTOSCPARAMETRUDOBAZY("PL61 1090 'x'", "IBAN  ");
  EXPECT_EQ(WARTOSCPARAMETRU("IBAN"), "PL61 1090 'x'");
  EXPECT_EQ(recording().statements(),
            std::vector<std::string>{"Call JL_ZapiszParametrRaportu (101,4,3000001,'PL61 1090 ''x''')"});
  EXPECT_TRUE(warnings().empty());
}

TEST_F(VariantStatements, FailedOrImpossibleStoreWarnsAndKeepsTheValueInMemory) {
  load();
  script.answer("OK", "MIRLET: Ostrzeżenie", "Błąd zapisu parametru raportu!").answer("OK");
  scripted.queue_failure(db::Status::statement_failed("Timeout expired"));
  ZAPISZWARTOSCPARAMETRUDOBAZY("2", "Magazyn");
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "2");
  // The list's buffer still holds "Magazyn": an unknown name must not store its value there.
  ZAPISZWARTOSCPARAMETRUDOBAZY("5", "Brak");
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "2");
  EXPECT_EQ(recording().statements(),
            std::vector<std::string>{"Call JL_ZapiszParametrRaportu (102,4,3000001,'2')"});
  EXPECT_EQ(warnings(),
            (std::vector<std::string>{"Błąd zapisu parametru raportu!", "Błąd zapisu parametru raportu!"}));
}

// ---- Whole operations on a fresh demo database.

class VariantsOnDemo : public VariantSession {
 protected:
  void SetUp() override {
    folder_.emplace("variants");
    const std::string file = folder_->file("demo.db");
    ASSERT_TRUE(server::make_demo_database(file, server::DemoSize::Demo).ok());
    ASSERT_TRUE(server::connect("sqlite:" + file, client_).ok());
    start(*client_);
    report_ = std::stod(FUNCSQL("select id_raportu from raport where nazwa='Zestawienie sprzedaży'"));
  }
  void TearDown() override {
    EXPECT_EQ(texts_of("error"), std::vector<std::string>{});  // every statement ran on the server
    VariantSession::TearDown();
    client_.reset();
    folder_.reset();
  }

  double variant(const std::string& name) {
    return std::stod("0" + FUNCSQL("select id_wariantu from wariant where id_raportu=" + sql_id(report_) +
                                   " and nazwa=" + sql_text(name)));
  }
  std::string stored(double variant, const char* parameter, double user = 3000001) {
    return FUNCSQL(
        "select w.wartosc from wartosc_parametru w, parametr_raportu p where "
        "p.id_parametru=w.id_parametru and p.nazwa='" +
        std::string(parameter) + "' and w.id_wariantu=" + sql_id(variant) +
        " and w.id_uzytkownika=" + sql_id(user));
  }
  std::string count(const std::string& table, const std::string& where) {
    return FUNCSQL("select count(1) from " + table + " where " + where);
  }
  // The report and variant the user works on, as the report window leaves them in the records.
  void make_current(double variant) {
    for (auto [prefix, field, id] :
         {std::tuple{"RAP", "ID_RAPORTU", report_}, {"WAR", "ID_WARIANTU", variant}}) {
      dane::Table& t = *dane::find_table(prefix);
      ASSERT_TRUE(t.open().ok());
      t.clear();
      t.set_number(field, id);
      ASSERT_TRUE(t.fetch(std::string("PK_") + t.name()).ok());
      t.close();
    }
  }
  // Statements that read a variant from the database.
  std::size_t loads() {
    std::size_t n = 0;
    for (const auto& s : recording().statements())
      if (s.find("from PARAMETR_RAPORTU p") != std::string::npos) ++n;
    return n;
  }

  std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> client_;
  double report_ = 0;
};

TEST_F(VariantsOnDemo, SecondLoadReadsNothingAndReturnsTheEditedValues) {
  const double dom = variant("Domyślny"), month = variant("Miesięczny");
  make_current(dom);
  INICJUJWARIANT(dom, report_);
  EXPECT_EQ(listed(), (Values{{"Data od", "82488"}, {"Data do", "82517"}, {"Magazyn", "1"}, {"IBAN", ""}}));
  ZAPISZWARTOSCPARAMETRU("3", "Magazyn");
  INICJUJWARIANT(month, report_);
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "");  // no value stored in this variant
  INICJUJWARIANT(dom, report_);
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "3");
  EXPECT_EQ(loads(), 2u);
  EXPECT_EQ(stored(dom, "Magazyn"), "1");  // memory only
}

TEST_F(VariantsOnDemo, SameNameWritesOnlyTheValues) {
  const double dom = variant("Domyślny");
  make_current(dom);
  INICJUJWARIANT(dom, report_);
  ZAPISZWARTOSCPARAMETRU("7", "Magazyn");
  EXPECT_EQ(ZAPISZWARIANT(dom, report_, "Domyślny", "Domyślny  "), dom);
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(stored(dom, "Magazyn"), "7");
  EXPECT_EQ(stored(dom, "Magazyn", 3000002), "2");  // another user's value stays
  EXPECT_EQ(count("wariant", "id_raportu=" + sql_id(report_)), "3");
}

TEST_F(VariantsOnDemo, RenameToAnotherVariantsNameIsRefused) {
  const double dom = variant("Domyślny");
  INICJUJWARIANT(dom, report_);
  script.answer("Zapisz zmianę").answer("OK", "MIRLET: Ostrzeżenie", kNameTaken);
  EXPECT_EQ(ZAPISZWARIANT(dom, report_, "Domyślny", "KWARTALNY"), 0);  // the server's names are case-blind
  EXPECT_EQ(warnings(), std::vector<std::string>{kNameTaken});
  EXPECT_EQ(variant("Domyślny"), dom);
}

TEST_F(VariantsOnDemo, RenameKeepsTheVariant) {
  const double dom = variant("Domyślny");
  INICJUJWARIANT(dom, report_);
  script.answer("Zapisz zmianę");
  EXPECT_EQ(ZAPISZWARIANT(dom, report_, "Domyślny", "Roczny 'A'"), dom);
  EXPECT_EQ(variant("Roczny 'A'"), dom);
  EXPECT_EQ(variant("Domyślny"), 0);
}

TEST_F(VariantsOnDemo, NewVariantIsInsertedWithTheValues) {
  const double dom = variant("Domyślny");
  make_current(dom);
  INICJUJWARIANT(dom, report_);
  ZAPISZWARTOSCPARAMETRU("3", "Magazyn");
  script.answer("Nowy wariant");
  const double weekly = ZAPISZWARIANT(dom, report_, "Domyślny", "Tygodniowy");
  EXPECT_NE(weekly, 0);
  EXPECT_NE(weekly, dom);
  EXPECT_EQ(variant("Tygodniowy"), weekly);
  EXPECT_EQ(dane::find_table("WAR")->number("ID_WARIANTU"), weekly);  // the new record is the current one
  EXPECT_EQ(stored(weekly, "Magazyn"), "3");
  EXPECT_EQ(count("wartosc_parametru", "id_wariantu=" + sql_id(weekly)), "4");
  EXPECT_EQ(stored(dom, "Magazyn"), "1");

  // Without an old name nothing is asked.
  const double first = ZAPISZWARIANT(0, report_, "", "Pierwszy");
  EXPECT_EQ(variant("Pierwszy"), first);
  EXPECT_EQ(count("wartosc_parametru", "id_wariantu=" + sql_id(first)), "4");
  EXPECT_TRUE(script.finished());
}

TEST_F(VariantsOnDemo, DeleteRemovesTheVariantWithEveryUsersValues) {
  const double dom = variant("Domyślny"), quarter = variant("Kwartalny");
  ASSERT_EQ(count("wartosc_parametru", "id_wariantu=" + sql_id(dom)), "6");
  const std::string others = count("wartosc_parametru", "id_wariantu<>" + sql_id(dom));
  INICJUJWARIANT(dom, report_);
  script.answer("Usuń wariant");
  EXPECT_EQ(ZAPISZWARIANT(dom, report_, "Domyślny", "Inna nazwa"), kVariantDeleted);
  EXPECT_EQ(count("wariant", "id_wariantu=" + sql_id(dom)), "0");
  EXPECT_EQ(count("wartosc_parametru", "id_wariantu=" + sql_id(dom)), "0");
  EXPECT_EQ(count("wartosc_parametru", "id_wariantu<>" + sql_id(dom)), others);
  EXPECT_EQ(variant("Kwartalny"), quarter);

  // The variant is no longer served from the library's copy.
  recording().forget();
  INICJUJWARIANT(dom, report_);
  EXPECT_EQ(loads(), 1u);
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "");
}

TEST_F(VariantsOnDemo, StoredValueReachesTheDatabaseAndTheCopy) {
  const double month = variant("Miesięczny");
  make_current(month);
  INICJUJWARIANT(month, report_);
  ZAPISZWARTOSCPARAMETRUDOBAZY("2", "Magazyn");
  EXPECT_TRUE(warnings().empty());
  EXPECT_EQ(stored(month, "Magazyn"), "2");
  INICJUJWARIANT(variant("Kwartalny"), report_);
  INICJUJWARIANT(month, report_);
  EXPECT_EQ(WARTOSCPARAMETRU("Magazyn"), "2");
}

}  // namespace
}  // namespace keldox
