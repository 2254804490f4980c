// "Eksport do Excela" as a person reaches it in the Qt host: the popup of the currency list, the save
// dialog with the proposed name, the question that offers to open the file.
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>
#include <filesystem>

#include "dane/globals.h"
#include "mirlet_testing/temp_folder.h"
#include "qt_session.h"
#include "slownik/dictionaries.h"

namespace slownik {
namespace {

using testing::close_browse;
using testing::QtDictionarySession;
using ui_qt::testing::child;
using ui_qt::testing::when_box_shown;
using ui_qt::testing::when_popup_shown;
using ui_qt::testing::when_shown;

TEST_F(QtDictionarySession, TheCurrencyPopupExportsThroughTheSaveDialog) {
  mirlet_testing::TempFolder folder("qtexport");
  const std::string saved = dane::GLO.LOCALPATH.str();
  dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
  const QString path = QString::fromStdString(folder.file("waluty.xls"));
  QString proposed, question, filter;
  bool item_found = false;
  when_shown("Waluty_Brw", [&](QWidget* browse_window) {
    auto* view = child<QTableView>(browse_window, "list");
    when_popup_shown([&](QWidget* popup) {
      auto* menu = qobject_cast<QMenu*>(popup);
      ASSERT_NE(menu, nullptr);
      QAction* export_item = nullptr;
      for (QAction* a : menu->actions()) {
        if (a->text() == QStringLiteral("Eksport do Excela")) export_item = a;
      }
      item_found = export_item != nullptr;
      if (!export_item) {
        menu->close();
        return;
      }
      when_shown("save", [&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        proposed = child<QLineEdit>(w, "fileNameEdit")->text();
        filter = dialog->nameFilters().join(";;");
        when_box_shown([&](QMessageBox* box) {
          question = box->text();
          for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove('&') == QStringLiteral("Nie")) b->click();
          }
          if (box->isVisible()) box->reject();
        });
        child<QLineEdit>(w, "fileNameEdit")->setText(path);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible()) static_cast<QDialog*>(dialog)->done(0);
      });
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(export_item).center());
    });
    const QPoint at = view->visualRect(view->model()->index(0, 0)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &click);
    close_browse(browse_window);
  });
  WALUTY_BRW();
  dane::GLO.LOCALPATH = saved;
  EXPECT_TRUE(item_found);
  EXPECT_TRUE(proposed.startsWith(QStringLiteral("Waluty_"))) << proposed.toStdString();
  EXPECT_TRUE(question.startsWith(QStringLiteral("Plik eksportu ") + path)) << question.toStdString();
  ASSERT_TRUE(std::filesystem::exists(path.toStdString()));
  EXPECT_GT(std::filesystem::file_size(path.toStdString()), 4096u);
}

}  // namespace
}  // namespace slownik
