// File filters, geometry clamping and help topic paths: the Qt host's pure conversions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mirlet_testing/temp_folder.h"
#include "ui_qt/file_filters.h"
#include "ui_qt/geometry_store.h"
#include "ui_qt/help_topic.h"

namespace ui_qt {
namespace {

struct FilterCase {
  const char* name;
  const char* system;
  const char* qt;
};

class FileFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilters, BecomeQtNameFilters) {
  EXPECT_EQ(qt_file_filters(GetParam().system), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileFilters,
    ::testing::Values(
        FilterCase{"TextAndAll", "Pliki tekstowe|*.txt|Wszystkie pliki|*.*",
                   "Pliki tekstowe (*.txt);;Wszystkie pliki (*)"},
        FilterCase{"SeveralPatterns", "Arkusze|*.xls;*.xlsx; *.csv", "Arkusze (*.xls *.xlsx *.csv)"},
        FilterCase{"LowerCaseList", "wszystkie|*.*|pdf|*.pdf|bmp|*.bmp",
                   "wszystkie (*);;pdf (*.pdf);;bmp (*.bmp)"},
        FilterCase{"DescriptionWithoutPattern", "Dokumenty|*.doc|Inne", "Dokumenty (*.doc);;Inne (*)"},
        FilterCase{"PatternWithoutDescription", "|*.txt", "*.txt (*.txt)"},
        FilterCase{"EmptyPairsSkipped", "||Pliki XML|*.xml||", "Pliki XML (*.xml)"},
        FilterCase{"Empty", "", ""},
        FilterCase{"PolishLetters", "Przelewy źródłowe|*.pli", "Przelewy źródłowe (*.pli)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct GeometryCase {
  const char* name;
  std::optional<WindowGeometry> saved;
  WindowGeometry expected;
};

class VisibleGeometry : public ::testing::TestWithParam<GeometryCase> {};

// Two screens side by side: 1920x1040 available at the origin and 1280x1024 to its right.
const std::vector<WindowGeometry> kScreens{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
constexpr WindowGeometry kDefaultSize{0, 0, 640, 360};
constexpr WindowGeometry kCentred{640, 340, 640, 360};

TEST_P(VisibleGeometry, KeepsSoundGeometriesAndDefaultsTheRest) {
  EXPECT_EQ(visible_geometry(GetParam().saved, kScreens, kDefaultSize), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VisibleGeometry,
    ::testing::Values(
        GeometryCase{"SoundIsKept", WindowGeometry{100, 50, 800, 600}, {100, 50, 800, 600}},
        GeometryCase{"OnSecondScreen", WindowGeometry{2000, 100, 600, 400}, {2000, 100, 600, 400}},
        GeometryCase{"NothingSaved", std::nullopt, kCentred},
        GeometryCase{"MinimisedSentinel", WindowGeometry{-32000, -32000, 160, 28}, kCentred},
        GeometryCase{"NegativeX", WindowGeometry{-10, 100, 800, 600}, kCentred},
        GeometryCase{"NegativeSize", WindowGeometry{100, 100, -800, 600}, kCentred},
        GeometryCase{"ZeroHeight", WindowGeometry{100, 100, 800, 0}, kCentred},
        GeometryCase{"PastEveryScreen", WindowGeometry{5000, 100, 800, 600}, kCentred},
        GeometryCase{"BelowEveryScreen", WindowGeometry{100, 1100, 800, 600}, kCentred},
        GeometryCase{"HangsOverRightEdge", WindowGeometry{1800, 100, 800, 600}, {1120, 100, 800, 600}},
        GeometryCase{"LargerThanScreen", WindowGeometry{10, 10, 4000, 3000}, {0, 0, 1920, 1040}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VisibleGeometryWithoutScreens, TakesWhatWasSaved) {
  EXPECT_EQ(visible_geometry(WindowGeometry{-5, -5, 10, 10}, {}, kDefaultSize),
            (WindowGeometry{-5, -5, 10, 10}));
  EXPECT_EQ(visible_geometry(std::nullopt, {}, kDefaultSize), kDefaultSize);
}

TEST(VisibleGeometryDefault, IsCutToASmallScreen) {
  EXPECT_EQ(visible_geometry(std::nullopt, {{0, 0, 500, 300}}, kDefaultSize),
            (WindowGeometry{0, 0, 500, 300}));
}

TEST(MemoryGeometryStore, KeepsTheLastSavedGeometryPerName) {
  MemoryGeometryStore store;
  EXPECT_FALSE(store.load("ErrorWin").has_value());
  store.save("ErrorWin", {1, 2, 3, 4});
  store.save("ErrorWin", {5, 6, 7, 8});
  store.save("Waluty_Brw", {9, 9, 9, 9});
  EXPECT_EQ(store.load("ErrorWin"), (WindowGeometry{5, 6, 7, 8}));
  EXPECT_EQ(store.load("Waluty_Brw"), (WindowGeometry{9, 9, 9, 9}));
}

TEST(HelpTopicPath, TopicsLiveInTheFolderNamedAfterTheHelpFile) {
  EXPECT_EQ(help_topic_path("/opt/mirlet/qorvis7.chm", "kar_fin_walut.htm"),
            "/opt/mirlet/qorvis7/kar_fin_walut.htm");
  EXPECT_EQ(help_topic_path("qorvis7.chm", "kar_towpom_VAT.htm"), "qorvis7/kar_towpom_VAT.htm");
  EXPECT_EQ(help_topic_path("/opt/mirlet/qorvis7.chm", ""), "/opt/mirlet/qorvis7/index.htm");
}

TEST(HelpTopicPath, AHelpFolderKeepsItsOwnName) {
  const mirlet_testing::TempFolder temp("ui_qt_help");
  const auto folder = temp.path() / "ui_qt_help_test.chm";
  std::filesystem::create_directories(folder);
  EXPECT_EQ(help_topic_path(folder.string(), "han_det.htm"), (folder / "han_det.htm").string());
}

}  // namespace
}  // namespace ui_qt
