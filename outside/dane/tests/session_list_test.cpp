// Tests of the session list: ordered adds, fetches and the buffer, changes, deletes, sorts, positions.
#include "dane/session_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/list_key.h"

namespace dane {
namespace {

struct Item {
  runtime::FixedText<10> code;
  std::int32_t number = 0;
  double id = 0;
  runtime::FixedText<20> note;

  using ByCode = Key<&Item::code>;
  using ByCodeNumber = Key<&Item::code, &Item::number>;
  using ByNumberDescCode = Key<descending<&Item::number>, &Item::code>;
  using ById = Key<&Item::id>;
};

Item item(std::string_view code, std::int32_t number, double id, std::string_view note = "") {
  Item i;
  i.code = code;
  i.number = number;
  i.id = id;
  i.note = note;
  return i;
}

void add_in_order(SessionList<Item>& list, const Item& i) {
  list.buffer = i;
  list.add_in_order<Item::ByCode>();
}

void append(SessionList<Item>& list, const Item& i) {
  list.buffer = i;
  list.add();
}

std::vector<std::string> notes(const SessionList<Item>& list) {
  std::vector<std::string> out;
  for (const Item& i : list) out.emplace_back(i.note.clipped());
  return out;
}

TEST(SessionListAdd, InOrderPutsEqualKeysAfterTheirPeers) {
  SessionList<Item> list;
  add_in_order(list, item("PLN", 1, 1, "p1"));
  add_in_order(list, item("EUR", 1, 2, "e1"));
  add_in_order(list, item("PLN", 2, 3, "p2"));
  add_in_order(list, item("CHF", 1, 4, "c1"));
  EXPECT_EQ(list.position(), 1u);
  add_in_order(list, item("EUR   ", 2, 5, "e2"));
  EXPECT_EQ(list.position(), 3u);
  EXPECT_EQ(notes(list), (std::vector<std::string>{"c1", "e1", "e2", "p1", "p2"}));
  EXPECT_TRUE(list.ordered_by<Item::ByCode>());
}

TEST(SessionListAdd, AppendOutOfOrderKeepsLookupsRight) {
  SessionList<Item> list;
  for (const char* c : {"A", "C", "E"}) add_in_order(list, item(c, 0, 0, c));
  append(list, item("B", 0, 0, "B"));
  EXPECT_FALSE(list.ordered_by<Item::ByCode>());
  EXPECT_EQ(list.position_of<Item::ByCode>("B"), 4u);
  EXPECT_EQ(list.position_of<Item::ByCode>("E"), 3u);
  append(list, item("Z", 0, 0, "Z"));
  EXPECT_EQ(list.position_of<Item::ByCode>("Z"), 5u);
}

TEST(SessionListAdd, InOrderOnAListSortedByAnotherKeyKeepsBothLookupsRight) {
  SessionList<Item> list;
  append(list, item("B", 3, 1));
  append(list, item("A", 2, 2));
  append(list, item("C", 1, 3));
  list.sort<Item::ById>();
  add_in_order(list, item("B", 9, 0.5));  // goes before "C" (first greater code) but breaks the id order
  EXPECT_FALSE(list.ordered_by<Item::ById>());
  EXPECT_EQ(list.position_of<Item::ById>(0.5), 3u);
  EXPECT_EQ(list.position_of<Item::ById>(3.0), 4u);
}

// Fetch behaviour must not depend on whether the list is searched by halves or from the start.
class SessionListFetch : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    for (const Item& i : {item("WZ", 2, 10, "wz2"), item("PZ", 1, 11, "pz1"), item("WZ", 1, 12, "wz1"),
                          item("FV", 7, 13, "fv7"), item("PZ", 1, 14, "pz1-second")}) {
      append(list, i);
    }
    if (GetParam()) list.sort<Item::ByCodeNumber>();
    ASSERT_EQ(list.ordered_by<Item::ByCodeNumber>(), GetParam());
  }
  SessionList<Item> list;
};

TEST_P(SessionListFetch, HitFillsTheBufferWithTheFirstEqualEntry) {
  list.buffer.code = "PZ";
  list.buffer.number = 1;
  ASSERT_TRUE(list.fetch<Item::ByCodeNumber>());
  EXPECT_EQ(list.buffer.note, "pz1");
  EXPECT_EQ(list.buffer.id, 11);
  EXPECT_EQ(list.entry(list.position())->id, 11);
}

TEST_P(SessionListFetch, MissLeavesBufferAndPositionAsTheyWere) {
  ASSERT_TRUE(list.read(2));
  const std::size_t before = list.position();
  list.buffer.code = "WZ";
  list.buffer.number = 3;
  list.buffer.note = "set by caller";
  list.buffer.id = 99;
  EXPECT_FALSE(list.fetch<Item::ByCodeNumber>());
  EXPECT_EQ(list.buffer.code, "WZ");
  EXPECT_EQ(list.buffer.number, 3);
  EXPECT_EQ(list.buffer.note, "set by caller");
  EXPECT_EQ(list.buffer.id, 99);
  EXPECT_EQ(list.position(), before);
  EXPECT_FALSE(list.fetch<Item::ByCodeNumber>("AA", 1));
  EXPECT_FALSE(list.fetch<Item::ByCodeNumber>("ZZ", 1));
  EXPECT_EQ(list.buffer.note, "set by caller");
}

TEST_P(SessionListFetch, KeysIgnoreTrailingBlanksOnly) {
  EXPECT_NE(list.find<Item::ByCodeNumber>("FV   ", 7), nullptr);
  EXPECT_EQ(list.find<Item::ByCodeNumber>(" FV", 7), nullptr);
  EXPECT_EQ(list.find<Item::ByCodeNumber>("fv", 7), nullptr);
  list.buffer.code = "FV      ";
  list.buffer.number = 7;
  EXPECT_TRUE(list.fetch<Item::ByCodeNumber>());
}

TEST_P(SessionListFetch, EveryKeyFieldMustMatch) {
  EXPECT_EQ(list.find<Item::ByCodeNumber>("WZ", 2)->note, "wz2");
  EXPECT_EQ(list.find<Item::ByCodeNumber>("WZ", 1)->note, "wz1");
  EXPECT_EQ(list.find<Item::ByCodeNumber>("FV", 1), nullptr);
  EXPECT_EQ(list.find<Item::ByCode>("WZ")->code, "WZ");
}

TEST_P(SessionListFetch, FindLeavesTheBufferAlone) {
  list.buffer = item("X", 5, 5, "mine");
  const std::size_t before = list.position();
  EXPECT_NE(list.find<Item::ByCodeNumber>("WZ", 1), nullptr);
  EXPECT_EQ(list.position_of<Item::ByCodeNumber>("QQ", 1), 0u);
  EXPECT_EQ(list.buffer.note, "mine");
  EXPECT_EQ(list.position(), before);
}

INSTANTIATE_TEST_SUITE_P(Search, SessionListFetch, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "sorted" : "unsorted"; });

TEST(SessionListChange, PutWritesTheCurrentEntryInPlace) {
  SessionList<Item> list;
  for (const char* c : {"A", "B", "C"}) add_in_order(list, item(c, 0, 0, c));
  ASSERT_TRUE(list.fetch<Item::ByCode>("B"));
  list.buffer.note = "changed";
  ASSERT_TRUE(list.put());
  EXPECT_EQ(notes(list), (std::vector<std::string>{"A", "changed", "C"}));
  EXPECT_TRUE(list.ordered_by<Item::ByCode>());
}

TEST(SessionListChange, PutOfAKeyFieldKeepsFetchesCorrect) {
  SessionList<Item> list;
  for (const char* c : {"A", "B", "C", "D"}) add_in_order(list, item(c, 0, 0, c));
  ASSERT_TRUE(list.fetch<Item::ByCode>("B"));
  list.buffer.code = "Z";
  ASSERT_TRUE(list.put());
  EXPECT_FALSE(list.ordered_by<Item::ByCode>());
  EXPECT_EQ(list.position_of<Item::ByCode>("Z"), 2u);
  EXPECT_EQ(list.position_of<Item::ByCode>("D"), 4u);
  EXPECT_EQ(list.position_of<Item::ByCode>("B"), 0u);
}

TEST(SessionListChange, PutAndRemoveNeedACurrentEntry) {
  SessionList<Item> list;
  EXPECT_FALSE(list.put());
  EXPECT_FALSE(list.remove());
  append(list, item("A", 0, 0));
  list.clear();
  EXPECT_FALSE(list.put());
  EXPECT_EQ(list.count(), 0u);
}

TEST(SessionListChange, RemoveDeletesTheCurrentEntryOnly) {
  SessionList<Item> list;
  for (const char* c : {"A", "B", "C"}) add_in_order(list, item(c, 0, 0, c));
  ASSERT_TRUE(list.read(2));
  ASSERT_TRUE(list.remove());
  EXPECT_EQ(notes(list), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(list.position(), 0u);
  EXPECT_FALSE(list.remove());
  EXPECT_TRUE(list.ordered_by<Item::ByCode>());
  EXPECT_EQ(list.position_of<Item::ByCode>("C"), 2u);
}

TEST(SessionListChange, RemovingWhileWalkingBackwardsVisitsEveryEntry) {
  SessionList<Item> list;
  for (int n = 1; n <= 6; ++n) append(list, item("K", n, n));
  for (std::size_t p = list.count(); p >= 1; --p) {
    ASSERT_TRUE(list.read(p));
    if (list.buffer.number % 2 == 0) {
      ASSERT_TRUE(list.remove());
    }
  }
  std::vector<std::int32_t> left;
  for (const Item& i : list) left.push_back(i.number);
  EXPECT_EQ(left, (std::vector<std::int32_t>{1, 3, 5}));
}

TEST(SessionListSort, IsStableAndHonoursDescendingFields) {
  SessionList<Item> list;
  append(list, item("B", 1, 0, "b1"));
  append(list, item("A", 2, 0, "a2-first"));
  append(list, item("C", 2, 0, "c2"));
  append(list, item("A  ", 2, 0, "a2-second"));
  append(list, item("A", 1, 0, "a1"));
  list.sort<Item::ByNumberDescCode>();
  EXPECT_EQ(notes(list), (std::vector<std::string>{"a2-first", "a2-second", "c2", "a1", "b1"}));
  EXPECT_EQ(list.position_of<Item::ByNumberDescCode>(1, "B"), 5u);
  EXPECT_EQ(list.position_of<Item::ByNumberDescCode>(2, "A"), 1u);
  list.sort<Item::ByCode>();
  EXPECT_EQ(notes(list), (std::vector<std::string>{"a2-first", "a2-second", "a1", "b1", "c2"}));
}

struct PositionRow {
  const char* name;
  std::size_t position;
  bool found;
};

class SessionListRead : public ::testing::TestWithParam<PositionRow> {};

TEST_P(SessionListRead, CountsFromOneWithinBounds) {
  SessionList<Item> list;
  for (int n = 1; n <= 3; ++n) append(list, item("K", n, n));
  list.buffer = item("untouched", 0, 0);
  const PositionRow row = GetParam();
  EXPECT_EQ(list.read(row.position), row.found);
  EXPECT_EQ(list.entry(row.position) != nullptr, row.found);
  if (row.found) {
    EXPECT_EQ(list.buffer.number, static_cast<std::int32_t>(row.position));
    EXPECT_EQ(list.position(), row.position);
  } else {
    EXPECT_EQ(list.buffer.code, "untouched");
    EXPECT_EQ(list.position(), 3u);  // still the last entry added
  }
}

INSTANTIATE_TEST_SUITE_P(Bounds, SessionListRead,
                         ::testing::Values(PositionRow{"zero", 0, false}, PositionRow{"first", 1, true},
                                           PositionRow{"last", 3, true}, PositionRow{"past_end", 4, false},
                                           PositionRow{"far", static_cast<std::size_t>(-1), false}),
                         [](const auto& info) { return info.param.name; });

TEST(SessionListEmpty, ClearKeepsTheBufferResetEmptiesIt) {
  SessionList<Item> list;
  append(list, item("A", 1, 1, "kept"));
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.buffer.note, "kept");
  EXPECT_FALSE(list.read(1));
  append(list, item("A", 1, 1, "again"));
  list.reset();
  EXPECT_EQ(list.count(), 0u);
  EXPECT_TRUE(list.buffer.note.blank());
  EXPECT_EQ(list.position(), 0u);
}

TEST(SessionListCopy, CopiesEntriesAndOrderButNotTheLock) {
  SessionList<Item> list;
  for (const char* c : {"B", "A"}) add_in_order(list, item(c, 0, 0, c));
  std::unique_lock hold(list.mutex());
  SessionList<Item> copy = list;
  EXPECT_TRUE(copy.mutex().try_lock());
  copy.mutex().unlock();
  EXPECT_TRUE(copy.ordered_by<Item::ByCode>());
  EXPECT_EQ(copy.position_of<Item::ByCode>("B"), 2u);
}

}  // namespace
}  // namespace dane
