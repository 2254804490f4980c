// The password file: written for its owner alone, read only while nobody else may read it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "mail/mail.h"
#include "mirlet_testing/temp_folder.h"

namespace mail {
namespace {

namespace fs = std::filesystem;

mode_t mode_of(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(PasswordFile, WrittenWithMode0600ThroughARenameAndReadBack) {
  mirlet_testing::TempFolder folder("mailpwd");
  const std::string path = folder.file("sub/poczta.pwd");
  std::string error;
  ASSERT_TRUE(write_password_file(path, "tajne hasło ąę", error)) << error;
  EXPECT_EQ(mode_of(path), 0600u);
  std::string password;
  ASSERT_TRUE(read_password_file(path, password, error)) << error;
  EXPECT_EQ(password, "tajne hasło ąę");
  // A file once opened to others is replaced by one that is not.
  fs::permissions(path, fs::perms(0644));
  ASSERT_TRUE(write_password_file(path, "nowe", error)) << error;
  EXPECT_EQ(mode_of(path), 0600u);
  ASSERT_TRUE(read_password_file(path, password, error)) << error;
  EXPECT_EQ(password, "nowe");
  // Nothing of the temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.file("sub")), fs::directory_iterator()), 1);
}

TEST(PasswordFile, AFileGroupOrOthersMayReadIsRefusedWithItsMode) {
  mirlet_testing::TempFolder folder("mailpwd");
  const std::string path = folder.file("poczta.pwd");
  std::string error;
  ASSERT_TRUE(write_password_file(path, "sekret", error));
  std::string password;
  for (const auto& [mode, text] : {std::pair{0644, "0644"}, {0640, "0640"}, {0604, "0604"}, {0620, "0620"}}) {
    fs::permissions(path, fs::perms(mode));
    EXPECT_FALSE(read_password_file(path, password, error));
    EXPECT_EQ(error, "plik hasła " + path + " jest dostępny dla grupy lub innych użytkowników (uprawnienia " +
                         text + "); wymagane 0600");
    EXPECT_EQ(password, "");
  }
  fs::permissions(path, fs::perms(0400));
  EXPECT_TRUE(read_password_file(path, password, error)) << error;
}

TEST(PasswordFile, MissingEmptyLinkedOrFolderFilesAreRefused) {
  mirlet_testing::TempFolder folder("mailpwd");
  std::string password, error;
  EXPECT_FALSE(read_password_file(folder.file("brak.pwd"), password, error));
  EXPECT_EQ(error, "brak pliku hasła " + folder.file("brak.pwd"));
  const std::string empty = folder.file("pusty.pwd");
  { std::ofstream(empty) << "\n"; }
  fs::permissions(empty, fs::perms(0600));
  EXPECT_FALSE(read_password_file(empty, password, error));
  EXPECT_EQ(error, "plik hasła " + empty + " jest pusty");
  const std::string real = folder.file("real.pwd");
  ASSERT_TRUE(write_password_file(real, "x", error));
  fs::create_symlink(real, folder.file("link.pwd"));
  EXPECT_FALSE(read_password_file(folder.file("link.pwd"), password, error));
  fs::create_directory(folder.file("dir.pwd"));
  fs::permissions(folder.file("dir.pwd"), fs::perms(0700));
  EXPECT_FALSE(read_password_file(folder.file("dir.pwd"), password, error));
  EXPECT_EQ(error, "plik hasła " + folder.file("dir.pwd") + " nie jest zwykłym plikiem");
}

TEST(PasswordFile, APasswordWithALineBreakIsNotWritten) {
  mirlet_testing::TempFolder folder("mailpwd");
  std::string error;
  EXPECT_FALSE(write_password_file(folder.file("p.pwd"), "ab\ncd", error));
  EXPECT_EQ(error, "hasło nie może zawierać znaku końca linii");
  EXPECT_FALSE(fs::exists(folder.file("p.pwd")));
}

}  // namespace
}  // namespace mail
