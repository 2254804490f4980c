// Lookups in sorted session lists must not touch the heap: permission checks run on every window open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_access.h"
#include "mirlet_testing/counting_allocator.h"

using mirlet_testing::allocations;
using mirlet_testing::counting;

namespace dane {
namespace {

class LookupAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_session();
    for (int n = 0; n < 500; ++n) {
      const std::string code = "UPRAWNIENIE_DLUGIE" + std::to_string(n % 97);
      UPRAWNQ.buffer.KOD = code;
      UPRAWNQ.buffer.RODZAJ = "M";
      if (!UPRAWNQ.fetch<UprawnEntry::ByCode>()) UPRAWNQ.add_in_order<UprawnEntry::ByCode>();
      ACCESSQ.buffer.KOD = code;
      ACCESSQ.buffer.ID2 = n;
      ACCESSQ.buffer.RODZAJ_DOSTEPU = 2;
      ACCESSQ.add();
    }
    ACCESSQ.sort<AccessEntry::ByCodeAndObjects>();
  }
  void TearDown() override { reset_session(); }
};

TEST_F(LookupAllocation, TheCounterSeesAllocations) {
  counting = true;
  allocations = 0;
  std::vector<int> grown;
  grown.reserve(64);
  const std::size_t counted = allocations;
  counting = false;
  EXPECT_NE(grown.data(), nullptr);
  EXPECT_GE(counted, 1u);
}

TEST_F(LookupAllocation, KeyedFindsOnSortedListsAllocateNothing) {
  const std::string code = "UPRAWNIENIE_DLUGIE42";  // longer than any small-string buffer
  std::size_t hits = 0;
  counting = true;
  allocations = 0;
  for (int object = 0; object < 600; ++object) {
    if (UPRAWNQ.find<UprawnEntry::ByCode>(std::string_view(code)) != nullptr) ++hits;
    if (ACCESSQ.find<AccessEntry::ByCodeAndObjects>(std::string_view(code), object, 0, 0, 0) != nullptr)
      ++hits;
  }
  const std::size_t counted = allocations;
  counting = false;
  EXPECT_EQ(counted, 0u);
  EXPECT_EQ(hits, 600u + 5u);  // the code exists; objects 42, 139, 236, 333, 430 are granted
}

}  // namespace
}  // namespace dane
