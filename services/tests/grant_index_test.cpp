// The index of the permission lists answers exactly as searching the lists does, and retires itself as
// soon as either list changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/lists_access.h"
#include "keldox/permissions.h"

namespace keldox {
namespace {

void catalogue(const char* code, const char* kind) {
  dane::UPRAWNQ.buffer = dane::UprawnEntry{code, kind};
  dane::UPRAWNQ.add_in_order<dane::UprawnEntry::ByCode>();
}

void grant(const char* code, std::int32_t id2, std::int32_t id3, std::uint8_t kind, const char* flags = "",
           std::int32_t id4 = 0) {
  dane::ACCESSQ.buffer = dane::AccessEntry{code, id2, id3, id4, 0, kind, flags};
  dane::ACCESSQ.add_in_order<dane::AccessEntry::ByCodeAndObjects>();
}

class GrantIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.ID_UZYTKOWNIKA = 3000002;
    dane::GLO.ID_MAGAZYNU = 3;
    catalogue("KASY", "");
    catalogue("OZAM", "M");
    catalogue("ŻÓŁW", "");
    catalogue("BEZGRANTU", "");
    grant("KASY", 0, 0, 2, "W");
    grant("KASY", 5, 0, 1);
    grant("KASY", 6, 0, 2, "D");
    grant("KASY", 6, 7, 2);
    grant("KASY", 6, 8, 1);
    grant("KASY", 9, 0, 2, "", 4);  // narrowed by a third object: never a level a check asks for
    grant("OZAM", 0, 0, 2, "WD");
    grant("OZAM", 3, 0, 1);
    grant("ŻÓŁW", 0, 0, 1);
    grant("NIEWKATALOGU", 0, 0, 1);
  }
  void TearDown() override { dane::reset_session(); }

  // Every answer the checks give for a spread of codes and objects, in one text per question.
  static std::vector<std::string> answers() {
    std::vector<std::string> out;
    for (const char* code : {"Kasy", "kasy  ", "OZam", "żółw", "BezGrantu", "NieWKatalogu", "Brak", ""}) {
      out.push_back(std::string(code) + ":" + std::to_string(POBIERZUPRAWNIENIE(code)) + "/" +
                    POBIERZFLAGEUPRAWNIENIA(code).str() + "/" +
                    std::to_string(DOSTEPDOWLASNYCHDOKUMENTOW(code)));
      for (std::int32_t o1 : {0, 3, 5, 6, 9, 11}) {
        out.push_back(std::string(code) + ":" + std::to_string(o1) + "=" +
                      std::to_string(POBIERZUPRAWNIENIE(code, o1)));
        for (std::int32_t o2 : {0, 7, 8, 9}) {
          out.push_back(std::string(code) + ":" + std::to_string(o1) + "," + std::to_string(o2) + "=" +
                        std::to_string(POBIERZUPRAWNIENIE(code, o1, o2)));
        }
      }
    }
    return out;
  }
};

TEST_F(GrantIndexTest, AnswersAsSearchingTheListsDoes) {
  const std::vector<std::string> searched = answers();
  index_permissions();
  EXPECT_EQ(answers(), searched);
  // A few of them spelled out, so that both paths cannot agree on a wrong answer unnoticed.
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy"), 2);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 5), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 6, 7), 2);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 6, 9), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 9), 0);
  EXPECT_EQ(POBIERZUPRAWNIENIE("ozam"), 1);  // the current warehouse 3 is fully granted
  EXPECT_EQ(POBIERZUPRAWNIENIE("żółw"), 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("NieWKatalogu"), 0);
  EXPECT_EQ(POBIERZFLAGEUPRAWNIENIA("ozam").str(), "WD" + std::string(18, ' '));
}

TEST_F(GrantIndexTest, ChangingAListAfterIndexingIsSeenAtOnce) {
  index_permissions();
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 11), 0);
  grant("KASY", 11, 0, 1);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 11), 1);

  ASSERT_TRUE(dane::ACCESSQ.fetch<dane::AccessEntry::ByCodeAndObjects>(std::string_view("KASY"), 0, 0, 0, 0));
  dane::ACCESSQ.buffer.RODZAJ_DOSTEPU = 1;
  dane::ACCESSQ.put();
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy", 12), 1);

  index_permissions();
  dane::UPRAWNQ.reset();
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy"), 0);
}

TEST_F(GrantIndexTest, FirstOfEqualKeysAnswersInAnUnorderedList) {
  dane::ACCESSQ.buffer = dane::AccessEntry{"ŻÓŁW", 4, 0, 0, 0, 2, "X"};
  dane::ACCESSQ.add();  // appended out of order: the list now searches by scanning
  dane::ACCESSQ.buffer = dane::AccessEntry{"ŻÓŁW", 4, 0, 0, 0, 1, ""};
  dane::ACCESSQ.add();
  dane::ACCESSQ.buffer = dane::AccessEntry{"KASY", 0, 0, 0, 0, 1, ""};
  dane::ACCESSQ.add();  // a second general grant of KASY after the first one
  const std::vector<std::string> searched = answers();
  index_permissions();
  EXPECT_EQ(answers(), searched);
  EXPECT_EQ(POBIERZUPRAWNIENIE("kasy"), 2);
}

}  // namespace
}  // namespace keldox
