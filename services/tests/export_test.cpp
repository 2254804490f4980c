// The browse export: cell values, CSV bytes, XLS and XLSX read back by real readers, the export's steps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "demo_session.h"
#include "keldox/export.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/date.h"

namespace keldox {
namespace {

using spreadsheet::CellValue;
using spreadsheet::ExportColumn;
using spreadsheet::FileType;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a Python reader over the file; its standard output.
std::string python(const std::string& script, const std::string& file,
                   const mirlet_testing::TempFolder& folder) {
  const std::string script_path = folder.file("read.py");
  const std::string out_path = folder.file("read.out");
  std::ofstream(script_path) << script;
  const std::string command = "/usr/bin/python3 " + script_path + " '" + file + "' > '" + out_path + "' 2>&1";
  const int rc = std::system(command.c_str());
  std::string out = read_file(out_path);
  if (rc != 0) ADD_FAILURE() << "reader failed: " << out;
  return out;
}

CellValue value(const char* picture, const char* cell, const char* header = "Kol", bool numeric = false) {
  return spreadsheet::cell_value(ExportColumn{header, picture, 0, 10, numeric}, cell, 7);
}

TEST(ExportCellValues, NumbersFollowTheColumnsPicture) {
  EXPECT_EQ(value("@n-14`2", "1234.5").text, "1234,50");
  EXPECT_EQ(value("@n-14`4", "-0.12345").text, "-0,1235");
  EXPECT_EQ(value("@n10", "12.6").text, "13");
  EXPECT_EQ(value("@n-14`2", "1234.5").kind, CellValue::Kind::number);
  EXPECT_EQ(value("@n-14`2", "1234.5").places, 2);
  EXPECT_EQ(value("@s20", "00123").text, "00123") << "a text of digits keeps its leading zeros";
  EXPECT_EQ(value("@s20", "00123").kind, CellValue::Kind::text);
  EXPECT_EQ(value("@s5", "x", "Lp").text, "7") << "the Lp column numbers the exported rows";
  const CellValue date = value("@d17", std::to_string(runtime::make_day(2026, 12, 7)).c_str());
  EXPECT_EQ(date.kind, CellValue::Kind::date);
  EXPECT_EQ(date.text, "07.12.2026");
  EXPECT_EQ(value("@d17", "0").text, "") << "day 0 is no date";
  EXPECT_EQ(value("@t1", "4530000").text, "12:35");
}

TEST(ExportCellValues, TextsWithACommaBecomeAmountsOnlyWithTwoOrFourPlaces) {
  EXPECT_EQ(value("@s20", "1234,5").text, "1234,5");
  EXPECT_EQ(value("@s20", "1234,5").kind, CellValue::Kind::text);
  const CellValue plus = value("@s20", "+1234,50");
  EXPECT_EQ(plus.text, "1234,50");
  EXPECT_EQ(plus.kind, CellValue::Kind::number);
  EXPECT_DOUBLE_EQ(plus.number, 1234.5);
  EXPECT_EQ(value("@s20", "-7,1250").text, "-7,1250");
  EXPECT_EQ(value("@s20", "ab,cd").text, "ab,cd");
  EXPECT_EQ(value("@s20", "+ab,cd").text, "ab,cd") << "the first plus goes whenever the comma rule applies";
}

TEST(ExportCsv, QuotesBackquotesAndFormulaTexts) {
  EXPECT_EQ(spreadsheet::csv_line({"a\"b\"", "", "c"}, ';'), "\"a`b`\";\"\";\"c\"");
  EXPECT_EQ(spreadsheet::csv_text({CellValue::Kind::text, "=SUMA(A1)", 0, 0}), "'=SUMA(A1)");
  EXPECT_EQ(spreadsheet::csv_text({CellValue::Kind::text, "@x", 0, 0}), "'@x");
  EXPECT_EQ(spreadsheet::csv_text({CellValue::Kind::number, "-5,00", -5, 2}), "-5,00");
  EXPECT_EQ(spreadsheet::csv_line({std::string(60000, 'x')}, ',').size(), 50000u);
}

TEST(ExportNames, TypeFilterAndProposedName) {
  std::string name = "/tmp/lista";
  EXPECT_EQ(spreadsheet::type_of_name(name), FileType::csv);
  EXPECT_EQ(name, "/tmp/lista.csv");
  name = "/tmp/A.XLSX";
  EXPECT_EQ(spreadsheet::type_of_name(name), FileType::xlsx);
  name = "/tmp/a.Xls";
  EXPECT_EQ(spreadsheet::type_of_name(name), FileType::xls);
  EXPECT_EQ(name, "/tmp/a.Xls");
  EXPECT_EQ(spreadsheet::filter_for("XLS"), "XLS|*.xls|XLSX|*.xlsx|CSV|*.csv");
  EXPECT_EQ(spreadsheet::filter_for("xlsx"), "XLSX|*.xlsx|XLS|*.xls|CSV|*.csv");
  EXPECT_EQ(spreadsheet::filter_for(""), "CSV|*.csv|XLS|*.xls|XLSX|*.xlsx");
  EXPECT_EQ(spreadsheet::proposed_name("Banki / oddziały", runtime::make_day(2026, 12, 9)),
            "Banki _ oddziały_20261209");
  EXPECT_EQ(spreadsheet::proposed_name(std::string(200, 'a'), 1).size(), 127u);
}

// A browse of four columns over memory rows: a blank header and a column that is no list column are
// left out.
class ExportBrowse : public ::testing::Test {
 protected:
  ExportBrowse()
      : source_(std::vector<dane::Column>{
            {.name = "ID", .header = "Lp", .picture = "@n5", .numeric = true},
            {.name = "NAZWA", .header = "Nazwa", .picture = "@s40"},
            {.name = "KWOTA", .header = "Kwota", .picture = "@n-14`2", .numeric = true},
            {.name = "DATA", .header = "Data", .picture = "@d17"},
            {.name = "UKRYTA", .header = " ", .picture = "@s5"},
            {.name = "FORM", .header = "Tylko w formularzu", .picture = "@s5", .in_list = false},
        }),
        browse_("Test_Brw", source_) {
    browse_.add_sort_order("id", {"ID"});
    browse_.set_title("Lista testowa");
  }
  void add_rows(int n) {
    for (int i = 1; i <= n; ++i) {
      source_.add({std::to_string(i), i == 1 ? "Zażółć \"gęślą\" jaźń" : "Wiersz " + std::to_string(i),
                   i == 2 ? "-1234.5" : std::to_string(i) + ".25",
                   std::to_string(runtime::make_day(2026, 12, 7)), "x", "y"});
    }
  }
  spreadsheet::RowFeed all_rows() {
    return [this, done = false](std::vector<dane::Row>& batch, std::string&) mutable {
      batch.clear();
      if (done) return false;
      done = true;
      batch = source_.page(browse_.query(), 1000000);
      return !batch.empty();
    };
  }

  mirlet_testing::TempFolder folder_{"exporttest"};
  dane::MemoryRowSource source_;
  dane::BrowseWindow browse_;
};

TEST_F(ExportBrowse, CsvIsWindows1250ByteForByte) {
  add_rows(2);
  const std::string path = folder_.file("lista.csv");
  const auto outcome =
      spreadsheet::write_file(path, FileType::csv, spreadsheet::export_columns(browse_), all_rows(), ';');
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(outcome.rows, 2u);
  EXPECT_EQ(read_file(path),
            "\"Lp\";\"Nazwa\";\"Kwota\";\"Data\"\r\n"
            "\"1\";\"Za\xBF\xF3\xB3\xE6 `g\xEA\x9Cl\xB9` ja\x9F\xF1\";\"1,25\";\"07.12.2026\"\r\n"
            "\"2\";\"Wiersz 2\";\"-1234,50\";\"07.12.2026\"\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1)
      << "nothing is left beside the file";
}

TEST_F(ExportBrowse, XlsReadsBackWithXlrd) {
  add_rows(3);
  source_.rows()[2][1] = "=1+1";
  source_.rows()[1][1] = std::string(300, 'y');
  const std::string path = folder_.file("lista.xls");
  const auto outcome =
      spreadsheet::write_file(path, FileType::xls, spreadsheet::export_columns(browse_), all_rows(), ';');
  ASSERT_TRUE(outcome.ok) << outcome.message;
  const std::string out = python(
      "import sys, xlrd\n"
      "b = xlrd.open_workbook(sys.argv[1])\n"
      "s = b.sheet_by_index(0)\n"
      "print(s.nrows, s.ncols)\n"
      "for r in range(s.nrows):\n"
      "  print('|'.join('%d:%s' % (c.ctype, c.value if c.ctype != 3 else xlrd.xldate_as_tuple(c.value, "
      "b.datemode)[:3])"
      " for c in s.row(r)))\n",
      path, folder_);
  EXPECT_EQ(out,
            "4 4\n"
            "1:Lp|1:Nazwa|1:Kwota|1:Data\n"
            "2:1.0|1:Zażółć \"gęślą\" jaźń|2:1.25|3:(2026, 12, 7)\n"
            "2:2.0|1:" +
                std::string(255, 'y') +
                "|2:-1234.5|3:(2026, 12, 7)\n"
                "2:3.0|1:=1+1|2:3.25|3:(2026, 12, 7)\n");
}

TEST_F(ExportBrowse, XlsContinuesOnAnotherSheetPastTheFormatsRowLimit) {
  add_rows(70000);
  const std::string path = folder_.file("duza.xls");
  const auto outcome =
      spreadsheet::write_file(path, FileType::xls, spreadsheet::export_columns(browse_), all_rows(), ';');
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(python("import sys, xlrd\n"
                   "b = xlrd.open_workbook(sys.argv[1])\n"
                   "print([(s.name, s.nrows) for s in b.sheets()], b.sheet_by_index(1).cell_value(1, 0))\n",
                   path, folder_),
            "[('Arkusz1', 65536), ('Arkusz2', 4466)] 65536.0\n");
}

class ExportXlsx : public ExportBrowse {
 protected:
  void SetUp() override {
    saved_ = dane::GLO.LOCALPATH.str();
    dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
  }
  void TearDown() override { dane::GLO.LOCALPATH = saved_; }
  std::string saved_;
};

TEST_F(ExportXlsx, ReadsBackWithOpenpyxl) {
  add_rows(2);
  source_.rows()[1][1] = "=SUM(A1:A2)";
  const std::string path = folder_.file("lista.xlsx");
  const auto outcome =
      spreadsheet::write_file(path, FileType::xlsx, spreadsheet::export_columns(browse_), all_rows(), ';');
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(python("import sys, openpyxl\n"
                   "s = openpyxl.load_workbook(sys.argv[1]).active\n"
                   "print(s.freeze_panes, s['A1'].font.b, s['C2'].number_format, s['D2'].number_format)\n"
                   "for row in s.iter_rows():\n"
                   "  print('|'.join('%s:%s' % (c.data_type, c.value) for c in row))\n",
                   path, folder_),
            "A2 True 0.00 dd.mm.yyyy\n"
            "s:Lp|s:Nazwa|s:Kwota|s:Data\n"
            "n:1|s:Zażółć \"gęślą\" jaźń|n:1.25|d:2026-12-07 00:00:00\n"
            "n:2|s:=SUM(A1:A2)|n:-1234.5|d:2026-12-07 00:00:00\n");
}

TEST_F(ExportXlsx, AMissingModuleIsReportedAndLeavesNoFile) {
  dane::GLO.LOCALPATH = folder_.file("nowhere");
  add_rows(1);
  const std::string path = folder_.file("lista.xlsx");
  const auto outcome =
      spreadsheet::write_file(path, FileType::xlsx, spreadsheet::export_columns(browse_), all_rows(), ';');
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(ExportXlsx, AModuleWithoutTheEntryPointsIsReported) {
  dane::GLO.LOCALPATH = std::string(MIRLET_BARE_UTIL_DIR);
  add_rows(1);
  const auto outcome = spreadsheet::write_file(folder_.file("lista.xlsx"), FileType::xlsx,
                                               spreadsheet::export_columns(browse_), all_rows(), ';');
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("Wystąpił błąd podczas uruchamiania funkcji utworzenia pliku XLSX."),
            std::string::npos)
      << outcome.message;
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(ExportBrowse, FailuresLeaveNoFileUnderTheChosenName) {
  add_rows(3);
  const auto columns = spreadsheet::export_columns(browse_);
  // A folder that does not exist.
  const auto missing =
      spreadsheet::write_file(folder_.file("brak/lista.csv"), FileType::csv, columns, all_rows(), ';');
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.message.find("Nie można zapisać pliku "), std::string::npos) << missing.message;
  // A read that fails half-way through the rows.
  int pages = 0;
  const spreadsheet::RowFeed failing = [&](std::vector<dane::Row>& batch, std::string& failure) {
    batch.clear();
    if (++pages == 1) {
      batch = source_.rows();
      return true;
    }
    failure = "connection lost";
    return false;
  };
  for (FileType type : {FileType::csv, FileType::xls}) {
    pages = 0;
    const std::string path = folder_.file("lista.out");
    const auto outcome = spreadsheet::write_file(path, type, columns, failing, ';');
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find("connection lost"), std::string::npos);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

// The export's steps with a host that answers the dialog and the questions and records every box.
class StepsHost final : public dane::HeadlessHost {
 public:
  StepsHost() { dane::install_host(this); }
  ~StepsHost() override { dane::install_host(nullptr); }
  int message(const dane::MessageBox& box) override {
    boxes.push_back(box.text);
    return box.buttons == dane::button::kOk ? dane::button::kOk : answer;
  }
  std::optional<std::string> choose_file(const dane::FileDialog& dialog) override {
    dialogs.push_back(dialog);
    return chosen;
  }
  bool open_with_desktop(std::string_view target) override {
    opened.emplace_back(target);
    return true;
  }
  std::vector<std::string> boxes;
  std::vector<dane::FileDialog> dialogs;
  std::vector<std::string> opened;
  std::optional<std::string> chosen;
  int answer = dane::button::kYes;
};

class ExportSteps : public ExportBrowse {
 protected:
  void SetUp() override {
    dane::install_database(&client_);
    dane::U_PARAMKONFQ.reset();
    add_parameter(1, "ZNAKDOEXCELA", ";");
    add_parameter(2, "TYPDOEXCELA", "XLS");
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_MAGAZYNU = 5;
    dane::GLO.ID_UZYTKOWNIKA = kAdministratorId;
  }
  void TearDown() override {
    dane::U_PARAMKONFQ.reset();
    dane::install_database(nullptr);
  }
  static void add_parameter(double id, const char* code, const char* value) {
    dane::U_PARAMKONFQ.buffer = dane::ParamKonfEntry{id, code, "@S20", value};
    dane::U_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  }
  db::ScriptedClient scripted_;
  db::RecordingClient client_{scripted_};
  StepsHost host_;
};

TEST_F(ExportSteps, AnEmptyListOrARefusalEndsBeforeAnyDialog) {
  EXPORTBROWSERTOEXCEL(browse_, "Test");
  EXPECT_EQ(host_.boxes, std::vector<std::string>{"Brak danych do eksportu!"});
  add_rows(1);
  host_.boxes.clear();
  dane::GLO.ID_UZYTKOWNIKA = 77;  // no grants loaded
  EXPORTBROWSERTOEXCEL(browse_, "Test");
  EXPECT_EQ(host_.boxes, std::vector<std::string>{"Brak uprawnień na wykonanie Eksportu do Excela!"});
  EXPECT_TRUE(host_.dialogs.empty());
}

TEST_F(ExportSteps, ANameWithoutExtensionIsWrittenAsCsvThenLoggedAndOpened) {
  add_rows(3);
  host_.chosen = folder_.file("wynik");
  EXPORTBROWSERTOEXCEL(browse_, "Kontrahenci");
  ASSERT_EQ(host_.dialogs.size(), 1u);
  EXPECT_EQ(host_.dialogs[0].title, "Zapisz jako ...");
  EXPECT_EQ(host_.dialogs[0].filters, "XLS|*.xls|XLSX|*.xlsx|CSV|*.csv");
  EXPECT_EQ(host_.dialogs[0].initial_path, spreadsheet::proposed_name("Lista testowa", runtime::today()));
  const std::string file = folder_.file("wynik.csv");
  EXPECT_EQ(read_file(file).substr(0, 29), "\"Lp\";\"Nazwa\";\"Kwota\";\"Data\"\r\n");
  EXPECT_EQ(
      client_.statements(),
      std::vector<std::string>{"call  AP_ZapiszDoLogu(2,5,3000001,0,'Kontrahenci',6,'Eksport do excela',3,"
                               "'Wyeksportowano rekordów: 3')"});
  EXPECT_EQ(host_.boxes, std::vector<std::string>{"Plik eksportu " + file +
                                                  " został utworzony. |Czy chcesz go otworzyć?"});
  EXPECT_EQ(host_.opened, std::vector<std::string>{file});
}

TEST_F(ExportSteps, AWriteFailureWarnsAndLogsNothing) {
  add_rows(1);
  host_.chosen = folder_.file("brak/wynik.xls");
  EXPORTBROWSERTOEXCEL(browse_, "Kontrahenci");
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].rfind("Nie można zapisać pliku " + *host_.chosen, 0), 0u) << host_.boxes[0];
  EXPECT_TRUE(client_.statements().empty());
}

}  // namespace
}  // namespace keldox

namespace keldox {
namespace {

TEST_F(ExportBrowse, TheLogStatementRunsOnTheDemoDatabase) {
  testing::DemoSession session(1, kAdministratorId);
  ASSERT_TRUE(session.ok()) << session.error();
  dane::U_PARAMKONFQ.reset();
  dane::U_PARAMKONFQ.buffer = dane::ParamKonfEntry{1, "ZNAKDOEXCELA", "@S1", ";"};
  dane::U_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  add_rows(2);
  StepsHost host;
  host.answer = dane::button::kNo;
  host.chosen = folder_.file("log.xls");
  EXPORTBROWSERTOEXCEL(browse_, "O'Brien");
  dane::U_PARAMKONFQ.reset();
  EXPECT_EQ(host.boxes.size(), 1u) << host.boxes.front();
  EXPECT_TRUE(host.opened.empty());
  EXPECT_EQ(FUNCSQL("select OPIS2 from LOG_AKCJI where RODZAJ_OBIEKTU='O''Brien' and AKCJA=6"),
            "Wyeksportowano rekordów: 2");
}

}  // namespace
}  // namespace keldox
