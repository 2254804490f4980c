// Permission checks run on every window open and guarded action: none of them may touch the heap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"
#include "mirlet_testing/counting_allocator.h"

using mirlet_testing::allocations;
using mirlet_testing::counting;

namespace keldox {
namespace {

// Codes longer than any small-string buffer, with Polish letters whose upper case is asked for.
std::string code_of(int n) {
  return "UPRAWNIENIE_ŻÓŁTE_" + std::to_string(n % 50);
}

class PermissionAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    dane::GLO.ID_MAGAZYNU = 3;
    for (int n = 0; n < 50; ++n) {
      dane::UPRAWNQ.buffer = dane::UprawnEntry{code_of(n), n % 2 == 0 ? "M" : ""};
      dane::UPRAWNQ.add_in_order<dane::UprawnEntry::ByCode>();
    }
    for (int n = 0; n < 2000; ++n) {
      const std::int32_t object = n / 50;
      dane::ACCESSQ.buffer = dane::AccessEntry{code_of(n), object, 0, 0, 0, 2, "WD"};
      dane::ACCESSQ.add_in_order<dane::AccessEntry::ByCodeAndObjects>();
      dane::ACCESSQ.buffer = dane::AccessEntry{code_of(n), object, 1, 0, 0, 1, ""};
      dane::ACCESSQ.add_in_order<dane::AccessEntry::ByCodeAndObjects>();
    }
    for (int report = 1; report <= 100; ++report) {
      dane::DOSTEPRAPORTOWQ.buffer = dane::DostepRaportowEntry{report, 2};
      dane::DOSTEPRAPORTOWQ.add_in_order<dane::DostepRaportowEntry::ByReport>();
    }
  }
  void TearDown() override { dane::reset_session(); }
};

TEST_F(PermissionAllocation, TheCounterSeesAllocations) {
  counting = true;
  allocations = 0;
  std::vector<int> grown;
  grown.reserve(64);
  const std::size_t counted = allocations;
  counting = false;
  EXPECT_NE(grown.data(), nullptr);
  EXPECT_GE(counted, 1u);
}

// Runs every kind of check 20 times over the 50 codes, counting allocations and answers.
void expect_checks_allocate_nothing() {
  // Asked in lower case, so that every check upper-cases its code.
  std::vector<std::string> asked;
  for (int n = 0; n < 50; ++n) asked.push_back("uprawnienie_żółte_" + std::to_string(n));
  std::size_t full = 0;
  std::size_t limited = 0;
  std::size_t own_documents = 0;
  counting = true;
  allocations = 0;
  for (int round = 0; round < 20; ++round) {
    for (const std::string& code : asked) {
      for (std::uint8_t answer :
           {POBIERZUPRAWNIENIE(code), POBIERZUPRAWNIENIE(code, round), POBIERZUPRAWNIENIE(code, round, 1),
            POBIERZUPRAWNIENIE(code, round, 0, 4, 5, 6), DOSTEPDORAPORTUOK(round * 5)}) {
        if (answer == 1) ++full;
        if (answer == 2) ++limited;
      }
      if (POBIERZFLAGEUPRAWNIENIA(code, round).contains("D")) ++limited;
      if (DOSTEPDOWLASNYCHDOKUMENTOW(code)) ++own_documents;
    }
  }
  const std::size_t counted = allocations;
  counting = false;
  EXPECT_EQ(counted, 0u);
  // Per round and code: the general and the narrowed checks are limited, the second object full; the
  // reports 5..95 are limited, report 0 is not granted.
  EXPECT_EQ(full, 20u * 50u);
  EXPECT_EQ(limited, 20u * 50u * 4u + 19u * 50u);
  EXPECT_EQ(own_documents, 20u * 50u);
}

TEST_F(PermissionAllocation, ChecksAtEveryLevelAllocateNothing) {
  expect_checks_allocate_nothing();
}

TEST_F(PermissionAllocation, IndexedChecksAllocateNothing) {
  index_permissions();
  expect_checks_allocate_nothing();
}

TEST_F(PermissionAllocation, AdministratorAndMissesAllocateNothing) {
  const std::string unknown = "KOD_KTOREGO_NIE_MA_W_KATALOGU";
  std::size_t answers = 0;
  counting = true;
  allocations = 0;
  answers += POBIERZUPRAWNIENIE(unknown);
  answers += POBIERZFLAGEUPRAWNIENIA(unknown).empty() ? 0 : 1;
  answers += DOSTEPDORAPORTUOK(1000);
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  answers += POBIERZUPRAWNIENIE(unknown);
  answers += DOSTEPDORAPORTUOK(1000);
  const std::size_t counted = allocations;
  counting = false;
  EXPECT_EQ(counted, 0u);
  EXPECT_EQ(answers, 2u);
}

}  // namespace
}  // namespace keldox
