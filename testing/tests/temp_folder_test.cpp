// The temporary folder of a test: its own, holding what the test writes, and gone afterwards even when
// the test took its rights away.
#include "mirlet_testing/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace mirlet_testing {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, IsAFreshFolderOfItsOwnUnderTheTemporaryFolder) {
  const TempFolder a("folder-test");
  const TempFolder b("folder-test");
  EXPECT_NE(a.path(), b.path());
  EXPECT_TRUE(fs::is_directory(a.path()));
  EXPECT_TRUE(fs::is_empty(a.path()));
  EXPECT_TRUE(fs::equivalent(a.path().parent_path(), fs::temp_directory_path()));
  EXPECT_TRUE(a.path().filename().string().starts_with("folder-test-"));
  EXPECT_EQ(fs::path(a.file("x.db")), a.path() / "x.db");
  EXPECT_FALSE(fs::exists(a.file("x.db")));
}

TEST(TempFolder, GoesWithEverythingInIt) {
  fs::path kept;
  {
    const TempFolder folder("folder-test");
    kept = folder.path();
    fs::create_directories(folder.path() / "a" / "b");
    std::ofstream(folder.path() / "a" / "b" / "data.db") << "x";
    std::ofstream(folder.file("top.ini")) << "[s]";
  }
  EXPECT_FALSE(fs::exists(kept));
}

TEST(TempFolder, GoesEvenWhenTheTestTookItsWriteRightAway) {
  fs::path kept;
  {
    const TempFolder folder("folder-test");
    kept = folder.path();
    std::ofstream(folder.file("okna1.ini")) << "[s]";
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
}  // namespace mirlet_testing
