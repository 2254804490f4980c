// Files into BLOB fields of a record and back, on the demo database's articles, with the photo limit and
// the file layer's failures.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "dane/table.h"
#include "demo_session.h"
#include "keldox/files.h"
#include "message_recorder.h"
#include "mirlet_testing/temp_folder.h"

namespace keldox {
namespace {

std::string some_bytes(std::size_t n) {
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char>((i * 2654435761u) >> 13);
  return out;
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class BlobFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo_.ok()) << demo_.error();
    dane::S_PARAMKONFQ.reset();
    dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{108, "MAXROZZDJECART", "@n6", "2000"};
    dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
    ASSERT_TRUE(articles_.open().ok());
    articles_.clear();
    articles_.set_integer("ID_ARTYKULU", 101);
    ASSERT_TRUE(articles_.fetch("PK_ARTYKUL").ok());
  }
  void TearDown() override {
    articles_.close();
    dane::S_PARAMKONFQ.reset();
  }
  // The stored photo of article 101, read again from the database.
  std::string stored_photo() {
    articles_.clear();
    articles_.set_integer("ID_ARTYKULU", 101);
    EXPECT_TRUE(articles_.fetch("PK_ARTYKUL").ok());
    return articles_.blob("ZDJECIE");
  }

  testing::DemoSession demo_;
  testing::MessageRecorder boxes_;
  mirlet_testing::TempFolder folder_{"blobfiles"};
  dane::Table& articles_ = *dane::find_table("ART");
};

TEST_F(BlobFiles, APhotoAboveTheLimitIsRefusedUnlessTheLimitIsIgnored) {
  const std::string photo = folder_.file("photo.jpg");
  write_file(photo, some_bytes(2'500'000));
  EXPECT_EQ(PLIKTOBLOB(photo, articles_, "ZDJECIE"), 1);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text,
            "Wybrane zdjęcie posiada rozmiar 2500 kB.|Maksymalny dopuszczalny rozmiar wynosi 2000 kB.|Jeżeli "
            "chcesz zmienić maksymalny rozmiar wejdź w Konfiguracja firmy->Artykuły.");
  EXPECT_EQ(articles_.blob("ZDJECIE"), "");

  EXPECT_EQ(PLIKTOBLOB(photo, articles_, "ART:ZDJECIE", 1), 0);
  EXPECT_EQ(boxes_.shown.size(), 1u);
  ASSERT_TRUE(articles_.change().ok());
  EXPECT_TRUE(stored_photo() == read_file(photo));
}

TEST_F(BlobFiles, AFileOfExactlyTheLimitIsAcceptedAndComesBackByteForByte) {
  const std::string photo = folder_.file("exact.bin");
  const std::string bytes = some_bytes(2'000'000);
  write_file(photo, bytes);
  ASSERT_EQ(PLIKTOBLOB(photo, articles_, "ZDJECIE"), 0);
  EXPECT_TRUE(boxes_.shown.empty());
  ASSERT_TRUE(articles_.change().ok());
  stored_photo();

  const std::string copy = folder_.file("copy.bin");
  write_file(copy, "an older file that is replaced");
  EXPECT_EQ(BLOBTOPLIK(articles_, "ZDJECIE", copy), 0);
  EXPECT_TRUE(read_file(copy) == bytes);
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 2);
}

TEST_F(BlobFiles, BlankNamesEmptyFilesAndEmptyBlobs) {
  EXPECT_EQ(PLIKTOBLOB("   ", articles_, "ZDJECIE"), 36);
  EXPECT_EQ(BLOBTOPLIK(articles_, "ZDJECIE", ""), 36);

  articles_.set_blob("ZDJECIE", "kept");
  const std::string empty = folder_.file("empty.jpg");
  write_file(empty, "");
  EXPECT_EQ(PLIKTOBLOB(empty, articles_, "ZDJECIE"), 36);
  EXPECT_EQ(articles_.blob("ZDJECIE"), "kept");

  articles_.set_blob("ZDJECIE", "");
  const std::string none = folder_.file("none.jpg");
  EXPECT_EQ(BLOBTOPLIK(articles_, "ZDJECIE", none), 0);
  EXPECT_FALSE(std::filesystem::exists(none));
}

TEST_F(BlobFiles, FileLayerFailuresGiveTheirCodesAndLeaveNoFileUnderTheName) {
  EXPECT_EQ(PLIKTOBLOB(folder_.file("missing.jpg"), articles_, "ZDJECIE"), 2);
  EXPECT_EQ(PLIKTOBLOB(folder_.path().string(), articles_, "ZDJECIE"), 5);  // a folder is no file

  // A text column takes no bytes.
  const std::string photo = folder_.file("p.jpg");
  write_file(photo, "bytes");
  EXPECT_EQ(PLIKTOBLOB(photo, articles_, "NAZWA"), 90);

  articles_.set_blob("ZDJECIE", some_bytes(300'000));
  EXPECT_EQ(BLOBTOPLIK(articles_, "ZDJECIE", folder_.file("no/such/folder.jpg")), 2);
  EXPECT_EQ(BLOBTOPLIK(articles_, "ZDJECIE", photo + "/under_a_file.jpg"), 3);

  // A write the file system cuts short (a full disk to the program): the old file stays as it was.
  const std::string target = folder_.file("target.jpg");
  write_file(target, "old photo");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100'000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::uint16_t cut = BLOBTOPLIK(articles_, "ZDJECIE", target);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(cut, 90);
  EXPECT_EQ(read_file(target), "old photo");
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
    EXPECT_EQ(entry.path().filename().string().find("target.jpg."), std::string::npos) << entry.path();
}

TEST_F(BlobFiles, AReportFileMovesIntoTheBlob) {
  const std::string report = folder_.file("raport.pdf");
  const std::string bytes = "%PDF-1.4\n" + some_bytes(3'000'000);
  write_file(report, bytes);
  ASSERT_EQ(RPTTOBLOB(report, articles_, "ZDJECIE"), 0);  // no photo limit for a report
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(report));
  EXPECT_TRUE(articles_.blob("ZDJECIE") == bytes);
}

}  // namespace
}  // namespace keldox

namespace keldox {
namespace {

// The text file through the utility module: the built one, one without the entry point, and none.
TEST(TextFile, TheModuleWritesTheTextAndEveryFailureWarns) {
  mirlet_testing::TempFolder folder("textfile");
  testing::MessageRecorder boxes;
  const std::string saved = dane::GLO.LOCALPATH.str();
  const std::string target = folder.file("notatka.txt");

  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  EXPECT_EQ(UTWORZPLIK(target + "|Zażółć gęślą jaźń|druga"), 0);
  EXPECT_EQ(read_file(target), "Zażółć gęślą jaźń|druga");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(UTWORZPLIK(folder.file("no/folder.txt") + "|x"), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(
      boxes.shown[0].text.rfind("Nie udało się zapisać pliku " + folder.file("no/folder.txt") + ".|", 0), 0u);

  dane::GLO.LOCALPATH = MIRLET_BARE_UTIL_DIR;
  UTWORZPLIK(target + "|x");
  dane::GLO.LOCALPATH = folder.file("nothing here");
  UTWORZPLIK(target + "|x");
  dane::GLO.LOCALPATH = saved;
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[1].text, "Wystąpił błąd podczas uruchamiania funkcji ZapiszDaneDoPliku.");
  EXPECT_EQ(boxes.shown[2].text, "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
  EXPECT_EQ(read_file(target), "Zażółć gęślą jaźń|druga");
}

}  // namespace
}  // namespace keldox
