// The smaller parts of the window framework: the resizer's placement, toolbar buttons and tooltips, and
// the process object's pass with its progress and stop.
#include <gtest/gtest.h>

#include <algorithm>

#include "dane/host.h"
#include "dane/process.h"
#include "dane/resizer.h"
#include "dane/window.h"

namespace dane {
namespace {

struct PlaceRow {
  const char* name;
  Rect design;
  Strategy strategy;
  Size now;
  Rect expected;
  friend void PrintTo(const PlaceRow& row, std::ostream* os) { *os << row.name; }
};

class ResizerPlacement : public ::testing::TestWithParam<PlaceRow> {};

// Every row is a control of a 400 x 300 window.
TEST_P(ResizerPlacement, PutsTheControlWhereItsStrategySays) {
  const PlaceRow& r = GetParam();
  EXPECT_EQ(place_control(r.design, {400, 300}, r.now, r.strategy), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResizerPlacement,
    ::testing::Values(
        PlaceRow{"same_size", {10, 20, 100, 30}, {}, {400, 300}, {10, 20, 100, 30}},
        PlaceRow{"scale_doubles", {10, 20, 100, 30}, {}, {800, 600}, {20, 40, 200, 60}},
        PlaceRow{"scale_rounds_edges", {1, 1, 1, 1}, {}, {600, 450}, {2, 2, 1, 1}},
        PlaceRow{"resize_takes_growth",
                 {10, 40, 380, 200},
                 {Stretch::Resize, Stretch::Resize},
                 {500, 360},
                 {10, 40, 480, 260}},
        PlaceRow{"move_keeps_size",
                 {300, 260, 80, 25},
                 {Stretch::Move, Stretch::Move},
                 {500, 360},
                 {400, 320, 80, 25}},
        PlaceRow{
            "fixed_stays", {10, 10, 60, 20}, {Stretch::Fixed, Stretch::Fixed}, {900, 900}, {10, 10, 60, 20}},
        PlaceRow{"mixed_axes",
                 {10, 260, 100, 25},
                 {Stretch::Resize, Stretch::Move},
                 {500, 400},
                 {10, 360, 200, 25}},
        PlaceRow{"smaller_than_design_keeps_design",
                 {300, 260, 80, 25},
                 {Stretch::Move, Stretch::Scale},
                 {200, 100},
                 {300, 260, 80, 25}},
        PlaceRow{"huge_window_does_not_overflow",
                 {400, 300, 0, 0},
                 {},
                 {2000000000, 1500000000},
                 {2000000000, 1500000000, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResizerLayout, ControlsThatTouchKeepTouchingAtAnySize) {
  Resizer resizer({300, 100});
  resizer.add("a", {0, 0, 97, 100});
  resizer.add("b", {97, 0, 103, 100});
  resizer.add("c", {200, 0, 100, 100});
  for (int width = 300; width <= 1000; width += 7) {
    const auto placed = resizer.layout({width, 100});
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].rect.x + placed[0].rect.width, placed[1].rect.x) << width;
    EXPECT_EQ(placed[1].rect.x + placed[1].rect.width, placed[2].rect.x) << width;
    EXPECT_EQ(placed[2].rect.x + placed[2].rect.width, width) << width;
  }
}

TEST(ResizerLayout, ReAddingReplacesAndRemovingForgets) {
  Resizer resizer({100, 100});
  resizer.add("Lista", {0, 0, 10, 10});
  resizer.add("LISTA", {5, 5, 10, 10}, {Stretch::Fixed, Stretch::Fixed});
  resizer.add("ok", {80, 80, 20, 20}, {Stretch::Move, Stretch::Move});
  auto placed = resizer.layout({200, 200});
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0].rect, (Rect{5, 5, 10, 10}));
  EXPECT_EQ(placed[1].rect, (Rect{180, 180, 20, 20}));
  resizer.remove("lista");
  placed = resizer.layout({200, 200});
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].control, "ok");
  EXPECT_EQ(resizer.minimum(), (Size{100, 100}));
}

// A window that records the controls it accepted.
class ToolWindow : public Window {
 public:
  ToolWindow() : Window("Narzedzia") {}
  std::vector<std::string> accepted;

 protected:
  bool take_accepted(std::string_view control) override {
    accepted.emplace_back(control);
    return true;
  }
};

TEST(WindowToolbar, PressRunsTheButtonsControlOnlyWhenItIsThereAndEnabled) {
  ToolWindow w;
  w.toolbar().add_button("Insert", "[31848(~dodaj2.ico)]Dodaj", "Dodaj rekord");
  w.toolbar().add_button("Delete", "Usuń");
  w.toolbar().set_enabled("delete", false);
  EXPECT_TRUE(w.press_tool("insert"));
  EXPECT_FALSE(w.press_tool("Delete"));
  EXPECT_FALSE(w.press_tool("Print"));
  EXPECT_EQ(w.accepted, (std::vector<std::string>{"Insert"}));
  w.toolbar().add_button("INSERT", "Nowy");
  EXPECT_EQ(w.toolbar().buttons().size(), 2u);
  EXPECT_EQ(w.toolbar().find("Insert")->text, "Nowy");
  w.close(Response::Completed);
  EXPECT_FALSE(w.press_tool("Insert"));
}

TEST(WindowTooltips, AddReplaceAndRemoveByControlName) {
  Tooltips tips;
  tips.add("?Zapisz", "Zapisuje zmiany");
  tips.add("?ZAPISZ", "Zapisuje zmiany (F9)");
  tips.add("Symbol", "Symbol waluty");
  EXPECT_EQ(tips.text("?zapisz"), "Zapisuje zmiany (F9)");
  EXPECT_EQ(tips.entries().size(), 2u);
  tips.remove("symbol");
  EXPECT_EQ(tips.text("Symbol"), "");
  tips.add("?Zapisz", "");
  EXPECT_TRUE(tips.entries().empty());
}

// A progress window that remembers what it showed and stops when told.
class ProgressHost : public HeadlessHost {
 public:
  class Recorded : public Progress {
   public:
    explicit Recorded(ProgressHost& host) : host_(host) {}
    void set_percent(int p) override { host_.percents.push_back(p); }
    void set_text(std::string_view t) override { host_.last_text.assign(t); }
    void redraw() override {}
    void allow_cancel() override { host_.cancel_offered = true; }
    bool cancelled() override { return !host_.percents.empty() && host_.percents.back() >= host_.stop_at; }

   private:
    ProgressHost& host_;
  };
  std::unique_ptr<Progress> open_progress(std::string_view title) override {
    titles.emplace_back(title);
    return std::make_unique<Recorded>(*this);
  }
  std::vector<std::string> titles;
  std::vector<int> percents;
  std::string last_text;
  bool cancel_offered = false;
  int stop_at = 1000;
};

class ProcessPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 250; ++i) source.add({std::to_string(i), i % 2 == 0 ? "parzysty" : "nieparzysty"});
    install_host(&host);
  }
  void TearDown() override { install_host(nullptr); }
  MemoryRowSource source{{{"ID", "Id", "@n5", true}, {"RODZAJ", "Rodzaj", "@s20", false}}};
  ProgressHost host;
};

TEST_F(ProcessPassTest, VisitsEveryRowOnceInKeyOrderEvenWhenTheWorkDeletesThem) {
  ProcessPass pass("Przeliczanie", source, SortOrder{"id", {0}, false});
  pass.set_total(250);
  pass.set_page_size(7);
  std::vector<int> seen;
  const ProcessResult result = pass.run([&](const Row& row) {
    seen.push_back(std::stoi(row[0]));
    std::erase_if(source.rows(), [&](const Row& r) { return r[0] == row[0]; });
    return true;
  });
  EXPECT_EQ(result.rows, 250u);
  EXPECT_FALSE(result.cancelled);
  EXPECT_FALSE(result.stopped);
  ASSERT_EQ(seen.size(), 250u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.front(), 1);
  EXPECT_EQ(seen.back(), 250);
  EXPECT_EQ(host.titles, (std::vector<std::string>{"Przeliczanie"}));
  EXPECT_TRUE(host.cancel_offered);
  EXPECT_TRUE(std::is_sorted(host.percents.begin(), host.percents.end()));
  EXPECT_EQ(host.percents.back(), 100);
}

TEST_F(ProcessPassTest, TheUserStopsAtAPercentAndTheWorkMayStopItself) {
  host.stop_at = 40;
  ProcessPass pass("Przeliczanie", source, SortOrder{"id", {0}, false});
  pass.set_total(250);
  const ProcessResult cancelled = pass.run([](const Row&) { return true; });
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.rows, 100u);  // 40% of 250

  host.stop_at = 1000;
  ProcessPass own_stop("Szukanie", source, SortOrder{"id", {0}, false});
  const ProcessResult stopped = own_stop.run([](const Row& row) { return row[0] != "17"; });
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.rows, 17u);
}

TEST_F(ProcessPassTest, LimitsAndFiltersNarrowThePassAndWithoutATotalTheTextCounts) {
  ProcessPass pass("Przeliczanie", source, SortOrder{"id", {0}, false});
  pass.add_range_limit(1, "parzysty");
  pass.set_filter([](const Row& r) { return std::stoi(r[0]) > 200; });
  pass.set_cancellable(false);
  std::size_t count = 0;
  const ProcessResult result = pass.run([&](const Row&) { return ++count, true; });
  EXPECT_EQ(result.rows, 25u);
  EXPECT_FALSE(host.cancel_offered);
  EXPECT_EQ(host.percents.back(), 100);  // the end is always shown
}

TEST(ProcessPercent, StaysWithinTheBar) {
  EXPECT_EQ(process_percent(0, 0), 0);
  EXPECT_EQ(process_percent(5, 0), 0);
  EXPECT_EQ(process_percent(1, 3), 33);
  EXPECT_EQ(process_percent(3, 3), 100);
  EXPECT_EQ(process_percent(7, 3), 100);
}

}  // namespace
}  // namespace dane
