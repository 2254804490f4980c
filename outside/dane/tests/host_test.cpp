#include "dane/host.h"

#include <gtest/gtest.h>

namespace dane {
namespace {

TEST(BarList, SplitsButtonsAndLines) {
  EXPECT_EQ(split_bar_list("Zapisz zmianę|Nowy wariant|Usuń wariant|Anuluj"),
            (std::vector<std::string>{"Zapisz zmianę", "Nowy wariant", "Usuń wariant", "Anuluj"}));
  EXPECT_EQ(split_bar_list("jedna"), (std::vector<std::string>{"jedna"}));
  EXPECT_EQ(split_bar_list("a||b|"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(split_bar_list(""), (std::vector<std::string>{""}));
}

class CountingHost : public HeadlessHost {
 public:
  int message(const MessageBox& box) override {
    ++asked;
    return box.custom_buttons.empty() ? button::kYes : 1;
  }
  int asked = 0;
};

TEST(ProcessHost, HeadlessAnswersDefaultsUntilAHostIsInstalled) {
  MessageBox box{"MIRLET: Pytanie", "Czy?", Icon::Question, button::kYes | button::kNo, {}, button::kNo};
  EXPECT_EQ(host().message(box), button::kNo);

  CountingHost counting;
  install_host(&counting);
  EXPECT_EQ(host().message(box), button::kYes);
  EXPECT_EQ(counting.asked, 1);
  install_host(nullptr);
  EXPECT_EQ(host().message(box), button::kNo);
  EXPECT_EQ(counting.asked, 1);
}

TEST(ProcessHost, HeadlessKeepsTheClipboardAndRefusesDialogs) {
  HeadlessHost h;
  h.set_clipboard("PL61 1090 1014 0000 0712 1981 2874");
  EXPECT_EQ(h.clipboard(), "PL61 1090 1014 0000 0712 1981 2874");
  EXPECT_FALSE(h.choose_file(FileDialog{}).has_value());
  auto progress = h.open_progress("Postęp");
  ASSERT_NE(progress, nullptr);
  progress->set_percent(50);
}

TEST(Desktop, EmptyTargetIsRefused) {
  EXPECT_FALSE(launch_desktop(""));
}

}  // namespace
}  // namespace dane
