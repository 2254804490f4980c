// The spreadsheet entry points as the export calls them, the file read back by openpyxl.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "mirlet_testing/temp_folder.h"
#include "zorva_util/entry_points.h"

namespace {

class Sheet : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module_, nullptr) << dlerror(); }
  void TearDown() override {
    if (module_ != nullptr) dlclose(module_);
  }
  template <class F>
  F* entry(const char* name) {
    return reinterpret_cast<F*>(dlsym(module_, name));
  }
  std::string call3(const char* name, const std::string& a, const std::string& b, const std::string& c) {
    auto* f = entry<const char*(const char*, const char*, const char*)>(name);
    return f == nullptr ? "<missing>" : f(a.c_str(), b.c_str(), c.c_str());
  }
  std::string call1(const char* name, const std::string& a) {
    auto* f = entry<const char*(const char*)>(name);
    return f == nullptr ? "<missing>" : f(a.c_str());
  }
  std::string read_back(const std::string& path, const std::string& script) {
    const std::string py = folder_.file("read.py"), out = folder_.file("read.out");
    std::ofstream(py) << "import sys, openpyxl\ns = openpyxl.load_workbook(sys.argv[1]).active\n" << script;
    const int rc = std::system(("/usr/bin/python3 " + py + " '" + path + "' > '" + out + "' 2>&1").c_str());
    std::ifstream in(out);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(rc, 0) << s.str();
    return s.str();
  }

  void* module_ = dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL);
  mirlet_testing::TempFolder folder_{"sheettest"};
};

TEST_F(Sheet, EveryEntryPointIsExported) {
  for (const char* name :
       {"UtworzPlikExcel", "UtworzArkuszExcel", "ZapiszDaneDoKomorkiTekst", "ZapiszDaneDoKomorkiLiczba",
        "UstawKolorCzcionkiNaKomorce", "UstawKolorTlaNaKomorce", "ZapiszArkuszExcel"}) {
    EXPECT_NE(dlsym(module_, name), nullptr) << name;
  }
}

TEST_F(Sheet, CellsFormatsColoursAndCutTextsReadBack) {
  const std::string path = folder_.file("a.xlsx");
  const std::string book = call1("UtworzPlikExcel", path);
  ASSERT_FALSE(book.starts_with("-1")) << book;
  ASSERT_EQ(call3("UtworzArkuszExcel", book, "Arkusz1", "12;T;0|14;N;2|10;D;0"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiTekst", book, "0,0", "Nazwa \xBF\xF3\xB3w"), "1");  // Windows-1250
  EXPECT_EQ(call3("UstawKolorTlaNaKomorce", book, "1,0", "FFFF00"), "1");
  EXPECT_EQ(call3("UstawKolorCzcionkiNaKomorce", book, "1,0", "000000"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiTekst", book, "1,0", "=1+1"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiLiczba", book, "1,1", "-1234.5"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiLiczba", book, "1,2", "46363"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiTekst", book, "2,0", std::string(40000, 'x')), "1");
  EXPECT_EQ(call1("ZapiszArkuszExcel", book), "1");
  EXPECT_EQ(call1("ZapiszArkuszExcel", book).substr(0, 2), "-1") << "the handle is gone once saved";
  EXPECT_EQ(
      read_back(path,
                "print(s['A1'].value, s['A1'].font.b, s.freeze_panes)\n"
                "print(s['A2'].data_type, s['A2'].value, s['A2'].fill.fgColor.rgb, s['A2'].font.color.rgb)\n"
                "print(s['B2'].value, s['B2'].number_format, s['C2'].value.date(), "
                "s.column_dimensions['B'].width)\n"
                "print(len(s['A3'].value))\n"),
      "Nazwa żółw True A2\n"
      "s =1+1 FFFFFF00 FF000000\n"
      "-1234.5 0.00 2026-12-07 14.7109375\n"
      "32767\n");
}

TEST_F(Sheet, BadArgumentsAnswerMinusOne) {
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiTekst", "999", "0,0", "x").substr(0, 2), "-1");
  const std::string book = call1("UtworzPlikExcel", folder_.file("b.xlsx"));
  EXPECT_EQ(call3("UtworzArkuszExcel", book, "A", "12;Q;0").substr(0, 2), "-1");
  EXPECT_EQ(call3("UtworzArkuszExcel", book, "A", "12;T;0"), "1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiTekst", book, "0;0", "x").substr(0, 2), "-1");
  EXPECT_EQ(call3("ZapiszDaneDoKomorkiLiczba", book, "1,0", "1,5").substr(0, 2), "-1");
  EXPECT_EQ(call3("UstawKolorTlaNaKomorce", book, "1,0", "red").substr(0, 2), "-1");
  EXPECT_EQ(call1("ZapiszArkuszExcel", book), "1");
  // A folder that does not exist fails when the file is written.
  const std::string lost = call1("UtworzPlikExcel", folder_.file("brak/c.xlsx"));
  if (!lost.starts_with("-1")) {
    EXPECT_EQ(call1("ZapiszArkuszExcel", lost).substr(0, 2), "-1");
  }
}

}  // namespace
