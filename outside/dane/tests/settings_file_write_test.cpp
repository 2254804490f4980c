// Settings file: a failed write leaves the old file, concurrent writers in processes and threads lose no
// keys.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>

#include "dane/settings_file.h"
#include "settings_test_folder.h"

namespace dane {
namespace {

using testing::read_bytes;
using testing::stray_files;
using testing::TestFolder;
using testing::write_bytes;

constexpr int keys_per_writer = 200;

const std::string old_content = "[Waluty_Brw]\nX=1\nY=2\nWidth=300\nHeight=400\n";

// Runs `body` in a child process and returns its exit code (or -1 when it did not exit normally).
template <typename F>
int in_child(F body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(FailedWrite, DiskFullMidwayKeepsTheOldFileAndReportsFailure) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, old_content);

  // The file size limit makes the temporary file's write fail part way, as a full disk would.
  const int code = in_child([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return SettingsFile(path).set_value("Duzy", "k", std::string(20000, 'z')) ? 1 : 0;
  });
  ASSERT_EQ(code, 0) << "the write should have failed (1) or the limit could not be set (2)";
  EXPECT_EQ(read_bytes(path), old_content);
  EXPECT_EQ(stray_files(folder.path(), "okna1.ini"), 0) << "temporary file left behind";
  EXPECT_EQ(SettingsFile(path).fetch_window("Waluty_Brw"), (WindowGeometry{1, 2, 300, 400}));
}

TEST(FailedWrite, FolderWithoutWriteRightKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, old_content);
  SettingsFile(path).set_value("A", "k", "v");  // leaves the lock file, so only the rename can fail
  write_bytes(path, old_content);
  ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
  EXPECT_FALSE(SettingsFile(path).update_window("Waluty_Brw", {5, 6, 7, 8}));
  ::chmod(folder.path().c_str(), 0700);
  EXPECT_EQ(read_bytes(path), old_content);
  EXPECT_EQ(stray_files(folder.path(), "okna1.ini"), 0);
}

TEST(Replacement, KeepsThePermissionsOfTheExistingFile) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, old_content);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(SettingsFile(path).set_value("A", "k", "v"));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

bool write_keys(SettingsFile& settings, const std::string& prefix) {
  for (int i = 0; i < keys_per_writer; ++i) {
    if (!settings.set_value(i % 2 == 0 ? "Wspolna" : prefix, prefix + std::to_string(i), std::to_string(i))) {
      return false;
    }
  }
  return true;
}

void expect_all_keys(const std::string& path) {
  const SettingsFile settings(path);
  for (const std::string prefix : {"a", "b"}) {
    for (int i = 0; i < keys_per_writer; ++i) {
      EXPECT_EQ(settings.find_value(i % 2 == 0 ? "Wspolna" : prefix, prefix + std::to_string(i)),
                std::to_string(i))
          << prefix << i;
    }
  }
  EXPECT_EQ(settings.fetch_window("Waluty_Brw"), (WindowGeometry{1, 2, 300, 400}));
}

TEST(ConcurrentWriters, TwoProcessesLoseNoKeys) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, old_content);
  pid_t children[2];
  const char* prefixes[2] = {"a", "b"};
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      SettingsFile settings(path);
      ::_exit(write_keys(settings, prefixes[c]) ? 0 : 1);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  expect_all_keys(path);
  EXPECT_EQ(stray_files(folder.path(), "okna1.ini"), 0);
}

TEST(ConcurrentWriters, TwoThreadsSharingOneObjectLoseNoKeys) {
  TestFolder folder;
  const std::string path = folder.file("okna1.ini");
  write_bytes(path, old_content);
  SettingsFile settings(path);
  bool ok_a = false;
  bool ok_b = false;
  std::thread a([&] { ok_a = write_keys(settings, "a"); });
  std::thread b([&] { ok_b = write_keys(settings, "b"); });
  a.join();
  b.join();
  EXPECT_TRUE(ok_a);
  EXPECT_TRUE(ok_b);
  expect_all_keys(path);
}

}  // namespace
}  // namespace dane
