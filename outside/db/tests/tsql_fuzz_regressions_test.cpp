// The inputs the translator's fuzz target stopped on, kept as cases, and the check it applies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../fuzz/tsql_fuzz_check.h"

namespace db::tsql::fuzz {
namespace {

TEST(TsqlFuzzCheck, TellsMalformedTextFromMissingObjectsWhateverTheyAreCalled) {
  EXPECT_TRUE(malformed("select * from"));
  EXPECT_TRUE(malformed("select 1 from t where"));
  EXPECT_TRUE(malformed("select @"));
  EXPECT_TRUE(malformed("select from from t"));
  // Messages that quote a name of the statement are about the name, not the text.
  EXPECT_FALSE(malformed("select * from [incomplete input]"));
  EXPECT_FALSE(malformed("select * from [x\": syntax error]"));
  EXPECT_FALSE(malformed("select nie_ma_takiej_funkcji(1)"));
  EXPECT_FALSE(malformed("select 1"));
}

TEST(TsqlFuzzRegressions, EveryKeptInputTranslatesWell) {
  const std::filesystem::path folder = std::filesystem::path(MIRLET_FUZZ_REGRESSIONS);
  std::size_t seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.path().string().starts_with((folder / "tsql_fuzz").string())) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(translates_well(raw)) << entry.path();
    EXPECT_TRUE(translates_well(expanded(raw))) << entry.path() << ": " << expanded(raw);
    ++seen;
  }
  EXPECT_GE(seen, 1u);
}

}  // namespace
}  // namespace db::tsql::fuzz
