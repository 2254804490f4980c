// Two sessions of one user, in two processes on one database, run whole-set operations on the same list at
// the same time: the marks are those of the operations run one after the other.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "demo_session.h"
#include "keldox/marking.h"
#include "keldox/sql.h"

extern char** environ;

namespace keldox {
namespace {

constexpr int kUse = 88;
constexpr const char* kBrowse =
    "select a.id_banku, a.nazwa from banki a where a.id_banku <= 30 order by a.nazwa";

pid_t start_peer(const std::string& db_file, const char* mode, int count) {
  const std::string use = std::to_string(kUse);
  const std::string times = std::to_string(count);
  std::vector<std::string> args{MIRLET_MARKING_PEER, db_file, use, mode, times, kBrowse};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, MIRLET_MARKING_PEER, nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

int wait_peer(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string value(const std::string& query) {
  return FUNCSQL(query);
}

class MarkingProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << session.error();
    ASSERT_EQ(value("select count(*) from BANKI where ID_BANKU <= 30"), "30");
    // Marked before: the odd banks of the list and one bank outside it.
    for (int id = 1; id <= 30; id += 2) ZAZNACZSQL(kUse, id);
    ZAZNACZSQL(kUse, 9'000'001);
  }
  std::string marks() const {
    return value("select count(*) from zaznaczone where id_sesji=3000002 and uzycie=" + std::to_string(kUse));
  }
  std::string duplicates() const {
    return value("select count(*) from (select id from zaznaczone where id_sesji=3000002 and uzycie=" +
                 std::to_string(kUse) + " group by id having count(*) > 1)");
  }
  testing::DemoSession session{1, 3000002};
};

TEST_F(MarkingProcesses, TwoSessionsInvertingAtOnceGiveTheSerialResult) {
  const pid_t a = start_peer(session.file(), "invert", 15);
  const pid_t b = start_peer(session.file(), "invert", 15);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(wait_peer(a), 0);
  EXPECT_EQ(wait_peer(b), 0);
  // Thirty inversions in any order give back the marks they started from.
  EXPECT_EQ(marks(), "16");
  EXPECT_EQ(duplicates(), "0");
  EXPECT_EQ(value("select count(*) from zaznaczone where id_sesji=3000002 and uzycie=" +
                  std::to_string(kUse) + " and id % 2 = 0 and id <= 30"),
            "0");
  EXPECT_EQ(value("select count(*) from zaznaczone where uzycie=25000+" + std::to_string(kUse)), "0");
  EXPECT_EQ(value("select count(*) from ZAZNACZONE_BLOKADY"), "0");
}

TEST_F(MarkingProcesses, MarkingAllAndInvertingAtOnceNeverDoubleAMark) {
  const pid_t a = start_peer(session.file(), "markall", 10);
  const pid_t b = start_peer(session.file(), "invert", 9);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(wait_peer(a), 0);
  EXPECT_EQ(wait_peer(b), 0);
  // Whatever the order, each bank of the list is marked at most once, and the marks of the list form
  // either the whole list (last operation a marking) or nothing, or the odd ones (inversions in a row).
  EXPECT_EQ(duplicates(), "0");
  const std::string in_list =
      value("select count(*) from zaznaczone where id_sesji=3000002 and uzycie=" + std::to_string(kUse) +
            " and id <= 30");
  EXPECT_TRUE(in_list == "30" || in_list == "0" || in_list == "15") << in_list;
  EXPECT_EQ(value("select count(*) from zaznaczone where id=9000001"), "1");
  EXPECT_EQ(value("select count(*) from zaznaczone where uzycie=25000+" + std::to_string(kUse)), "0");
}

}  // namespace
}  // namespace keldox
