// Popup menus of the Qt host: icons of the program's set before the labels, the chosen item, dismissal,
// and the PNG of the menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QTest>

#include "dane/popup.h"
#include "qt_test_support.h"
#include "ui_qt/icons.h"
#include "ui_qt/qt_host.h"

namespace ui_qt {
namespace {

using testing::expect_png_files;
using testing::when_popup_shown;

// Clicks the menu's item with this label, as the mouse would.
void click_item(QWidget* popup, const QString& label) {
  auto* menu = qobject_cast<QMenu*>(popup);
  ASSERT_NE(menu, nullptr);
  for (QAction* action : menu->actions()) {
    if (action->text() == label) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
      return;
    }
  }
  ADD_FAILURE() << "no item " << label.toStdString();
}

// How many pixels of the icon at 32 x 32 are not transparent.
int painted_pixels(const QIcon& icon) {
  const QImage image = icon.pixmap(32, 32).toImage();
  int painted = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  }
  return painted;
}

class QtPopup : public ::testing::Test {
 protected:
  void SetUp() override { dane::install_host(&host); }
  void TearDown() override { dane::install_host(nullptr); }
  QtHost host;
};

TEST_F(QtPopup, ShowsIconsAndAnswersTheClickedItem) {
  dane::PopupMenu menu;
  menu.add_item("Insert", "[31848(~dodaj2.ico)]Dodaj");
  menu.add_item("Change", "[31848(~popraw2.ico)]Popraw");
  menu.add_separator();
  menu.add_item("Base", "(~32redchk.ico)]Ustaw walutę bazową");
  menu.add_item("Other", "Bez ikony");
  menu.set_enabled("Other", false);
  std::vector<QString> labels;
  std::vector<bool> with_icon;
  bool other_enabled = true;
  when_popup_shown([&](QWidget* popup) {
    for (QAction* action : popup->actions()) {
      if (action->isSeparator()) continue;
      labels.push_back(action->text());
      with_icon.push_back(!action->icon().isNull());
      if (action->text() == "Bez ikony") other_enabled = action->isEnabled();
    }
    click_item(popup, QStringLiteral("Ustaw walutę bazową"));
  });
  EXPECT_EQ(menu.ask(), "Base");
  EXPECT_EQ(labels, (std::vector<QString>{"Dodaj", "Popraw", "Ustaw walutę bazową", "Bez ikony"}));
  EXPECT_EQ(with_icon, (std::vector<bool>{true, true, true, false}));
  EXPECT_FALSE(other_enabled);
  expect_png_files(host.screenshots(), 1);
}

TEST_F(QtPopup, EscapeDismissesIt) {
  dane::PopupMenu menu;
  menu.add_item("Insert", "[31848(~dodaj2.ico)]Dodaj");
  when_popup_shown([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
  EXPECT_EQ(menu.ask(), "");
}

struct IconKeyRow {
  const char* name;
  const char* resource;
  const char* key;
};

class IconKeys : public ::testing::TestWithParam<IconKeyRow> {};

TEST_P(IconKeys, IgnoreTildeExtensionAndCase) {
  EXPECT_EQ(icon_key(GetParam().resource), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Rows, IconKeys,
                         ::testing::Values(IconKeyRow{"Resource", "~dodaj2.ico", "dodaj2"},
                                           IconKeyRow{"NoTilde", "usun2.ico", "usun2"},
                                           IconKeyRow{"UpperCase", "~BOXON.ICO", "boxon"},
                                           IconKeyRow{"DigitsFirst", "~32redchk.ico", "32redchk"},
                                           IconKeyRow{"Bare", "wybierz", "wybierz"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconSet, EveryIconTheProgramNamesIsDrawnAndOthersAreNull) {
  const std::vector<std::string> names{
      "~dodaj2.ico",   "~popraw2.ico", "~usun2.ico",        "~wybierz.ico",          "~32redchk.ico",
      "~boxon.ico",    "~boxoff.ico",  "~malejaco.ico",     "~rosnaco.ico",          "~import.ico",
      "~export.ico",   "~folder.ico",  "~kursy_bazowe.ico", "~kursy_bazowe_nbp.ico", "~kursy_bazowe_ecb.ico",
      "~aktywnosc.ico"};
  std::vector<QImage> drawn;
  for (const std::string& name : names) {
    const QIcon icon = program_icon(name);
    ASSERT_FALSE(icon.isNull()) << name;
    EXPECT_GT(painted_pixels(icon), 40) << name;
    drawn.push_back(icon.pixmap(32, 32).toImage());
  }
  // Each name has a drawing of its own: no two icons look alike (the check boxes differ by their mark, the
  // two directions and the three kinds of rates by their details).
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    for (std::size_t j = i + 1; j < drawn.size(); ++j) EXPECT_NE(drawn[i], drawn[j]) << names[i] << names[j];
  }
  EXPECT_EQ(icon_keys().size(), names.size());
  EXPECT_FALSE(program_icon("~Popraw2.ico").isNull());  // names are case-blind
  EXPECT_FALSE(program_icon("~KURSY_BAZOWE_NBP.ICO").isNull());
  EXPECT_TRUE(program_icon("~nieznana.ico").isNull());
  EXPECT_TRUE(program_icon("").isNull());
}

}  // namespace
}  // namespace ui_qt
