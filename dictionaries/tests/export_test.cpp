// "Eksport do Excela" in the popup of a described browse, on the demo database: every row of the list,
// not only the page on screen, in the columns the list shows.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dane/globals.h"
#include "dictionary_session.h"
#include "mirlet_testing/temp_folder.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::DictionarySession;

class BrowseExport : public DictionarySession {
 protected:
  void SetUp() override {
    DictionarySession::SetUp();
    saved_ = dane::GLO.LOCALPATH.str();
    dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
  }
  void TearDown() override {
    dane::GLO.LOCALPATH = saved_;
    DictionarySession::TearDown();
  }
  static std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
  std::string saved_;
  mirlet_testing::TempFolder folder_{"browseexport"};
};

TEST_F(BrowseExport, TheBanksPopupExportsEveryRowOfTheList) {
  const std::string path = folder_.file("banki.csv");
  host_.browse("popup").popup("Eksport do Excela").choose_file(path).answer("Nie", "", "Plik eksportu");
  host_.browse("close");
  BANKI_BRW();
  EXPECT_EQ(failures(), "");
  const auto popups = shown("popup");
  ASSERT_FALSE(popups.empty());
  EXPECT_NE(popups[0].text.find("~export.ico"), std::string::npos) << popups[0].text;
  const auto dialogs = shown("file");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].title, "Zapisz jako ...");
  const std::vector<std::string> written = lines(path);
  const std::string count = value_of("select count(*) from BANKI");
  ASSERT_GT(std::stoi(count), 25) << "more rows than one page";
  EXPECT_EQ(std::to_string(written.size() - 1), count);
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written[0].front(), '"');
}

TEST_F(BrowseExport, TheCurrenciesExportToXlsx) {
  const std::string path = folder_.file("waluty.xlsx");
  host_.browse("popup").popup("Eksport do Excela").choose_file(path).answer("Nie", "", "Plik eksportu");
  host_.browse("close");
  WALUTY_BRW();
  EXPECT_EQ(failures(), "");
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);
}

}  // namespace
}  // namespace slownik
