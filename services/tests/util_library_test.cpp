// Each caller of the utility module with the module present, its file missing, or its entry point missing.
#include <functional>
#include <string>

#include "keldox/query_bridge.h"
#include "keldox/text.h"
#include "named_rows.h"
#include "sql/util_library.h"
#include "util_library_fixture.h"

namespace keldox {
namespace {

using testing::MessageKind;

TEST(UtilLibraryPath, TrimsTheLocalFolderAndNamesTheModuleFile) {
  const std::string saved = dane::GLO.LOCALPATH.str();
  dane::GLO.LOCALPATH = "/opt/mirlet/bin   ";
  EXPECT_EQ(util_library::module_path(), "/opt/mirlet/bin/libZORVAutilKS.so");
  dane::GLO.LOCALPATH = saved;
}

class UtilLibraryCall : public testing::UtilLibraryTest {};

TEST_F(UtilLibraryCall, ArgumentsAndAnswersCrossInWindows1250) {
  ASSERT_EQ(util_library::call("UtworzPolaczenieSQL", {connection_text_}).text, "1");
  const util_library::Answer answer =
      util_library::call("PobierzKolejkeSQL", {"select 'Zażółć gęślą jaźń', 'ĄĆĘŁŃÓŚŹŻ'", "^", ";"});
  EXPECT_EQ(answer.outcome, util_library::Outcome::answered);
  EXPECT_EQ(answer.text, "Zażółć gęślą jaźń;ĄĆĘŁŃÓŚŹŻ;^");
}

TEST_F(UtilLibraryCall, ListSeparatorOfTheTestLocale) {
  EXPECT_EQ(POBIERZSYSTEMLISTSEPARATOR(), ",");
  EXPECT_TRUE(boxes.shown.empty());
}

// One exported caller, what it answers when the module fails it, and its warnings for the two failures.
struct FailureRow {
  const char* name;
  std::function<std::string()> call;
  const char* library_missing_warning;
  const char* entry_point_missing_warning;
};

class ModuleFailure : public testing::UtilLibraryTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ModuleFailure, MissingFileWarnsAndGivesTheNeutralResult) {
  dane::GLO.LOCALPATH = folder_->file("nowhere");
  EXPECT_EQ(GetParam().call(), "");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::warning);
  EXPECT_EQ(boxes.shown[0].title, "MIRLET: Ostrzeżenie");
  EXPECT_EQ(boxes.shown[0].text, GetParam().library_missing_warning);
}

TEST_P(ModuleFailure, MissingEntryPointGivesTheCallersOwnWarning) {
  dane::GLO.LOCALPATH = MIRLET_BARE_UTIL_DIR;
  EXPECT_EQ(GetParam().call(), "");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::warning);
  EXPECT_EQ(boxes.shown[0].text, GetParam().entry_point_missing_warning);
}

INSTANTIATE_TEST_SUITE_P(
    Callers, ModuleFailure,
    ::testing::Values(
        FailureRow{"DOTNETUTWORZPOLACZENIESQL", [] { return DOTNETUTWORZPOLACZENIESQL(); },
                   "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.",
                   "Wystąpił błąd podczas uruchamiania funkcji połączenia do bazy z modułu ZORVAutilKS."},
        FailureRow{"DOTNETPODAJKOLEJKESQL", [] { return DOTNETPODAJKOLEJKESQL("select 1, 2"); },
                   "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.",
                   "Wystąpił błąd podczas uruchamiania funkcji pobierania do kolejki z modułu ZORVAutilKS."},
        FailureRow{"POBIERZSYSTEMLISTSEPARATOR", [] { return POBIERZSYSTEMLISTSEPARATOR(); },
                   "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll",
                   "Wystąpił błąd podczas uruchamiania funkcji odczytania separatora list."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace keldox
