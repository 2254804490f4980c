#include <gtest/gtest.h>

#include <string>

#include "keldox/files.h"

namespace {

TEST(FileNames, CleansSeparatorsAndDropsPunctuation) {
  EXPECT_EQ(keldox::WALIDUJNAZWEPLIKU("Faktura 1/2016.pdf"), "Faktura 1_2016pdf");
  EXPECT_EQ(keldox::WALIDUJNAZWEPLIKU("  a|b\\c>d<e  "), "a_b_c_d_e");
  EXPECT_EQ(keldox::WALIDUJNAZWEPLIKU("`\".~+-,;:[]x"), "x");
  EXPECT_EQ(keldox::WALIDUJNAZWEPLIKU("Żółć łąka"), "Żółć łąka");
}

TEST(FileNames, KeepsAtMost999CharactersWithoutSplittingALetter) {
  std::string long_name(500, 'a');
  for (int i = 0; i < 600; ++i) long_name += "ż";
  const std::string cleaned = keldox::WALIDUJNAZWEPLIKU(long_name);
  EXPECT_EQ(cleaned.substr(0, 500), std::string(500, 'a'));
  EXPECT_EQ(cleaned.size(), 500u + 499u * 2u);
}

}  // namespace
