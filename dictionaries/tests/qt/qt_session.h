// A working session for the dictionary windows in the Qt host: a fresh demo database in a temporary
// folder, the administrator logged in with the session's lists loaded, and the pictures of the windows
// saved where people look at them. Also what a person reads off a list: its headers, cells and icons.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "demo_dictionary_database.h"
#include "qt_test_support.h"
#include "ui_qt/qt_host.h"

// Texts a person reads appear as such in the failures.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace slownik::testing {

using ui_qt::testing::child;
using ui_qt::testing::settle;
using ui_qt::testing::when_shown;

class QtDictionarySession : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(database_.create());
    dane::install_database(&database_.client());
    dane::install_host(&host_);
    database_.log_in(3000001);  // the administrator
  }
  void TearDown() override {
    dane::install_host(nullptr);
    dane::install_database(nullptr);
  }

  std::string database_file() const { return database_.file(); }
  std::string value_of(const std::string& statement) { return database_.value_of(statement); }

  ui_qt::QtHost host_;
  DemoDictionaryDatabase database_;
};

// Saves what `window` shows as "<name>.png" in the run's screenshot folder, once queued repaints have run.
// An open drop list or popup is a window of its own: it is drawn over the picture where it lies on the
// screen. The path written; the test fails when nothing could be written.
inline std::string save_png(QWidget* window, const std::string& name, QWidget* popup = nullptr) {
  settle();
  QPixmap picture = window->grab();
  if (popup) {
    const QPoint at = popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
    const QRect both = QRect(QPoint(0, 0), picture.size()).united(QRect(at, popup->size()));
    QPixmap canvas(both.size());
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawPixmap(-both.topLeft(), picture);
    painter.drawPixmap(at - both.topLeft(), popup->grab());
    painter.end();
    picture = canvas;
  }
  const QString folder = QStringLiteral(SLOWNIK_SCREENSHOTS);
  QDir().mkpath(folder);
  const QString path = folder + "/" + QString::fromStdString(name) + ".png";
  const bool saved = !picture.isNull() && picture.save(path, "PNG");
  EXPECT_TRUE(saved) << path.toStdString();
  return saved ? path.toStdString() : std::string();
}

// The page of a list as a person reads it: the header texts and, per row and column, the text, whether an
// icon is drawn and whether it stands to the right; and what does not fit its column.
struct ShownList {
  std::vector<QString> headers;
  std::vector<std::vector<QString>> texts;
  std::vector<std::vector<bool>> icons;
  std::vector<std::vector<bool>> right;
  // Texts wider than their column, each as "header Nazwa banku: 60 < 92" or "SWIFT: NBPLPLPW: 60 < 75" (the
  // column's header, the text, the column's width and the width the text needs, in pixels).
  std::vector<std::string> cut_off;

  // What is cut off among the headers and in the columns named.
  std::vector<std::string> cut_off_in(const std::vector<QString>& columns) const {
    std::vector<std::string> out;
    for (const std::string& cut : cut_off) {
      bool wanted = cut.starts_with("header ");
      for (const QString& c : columns) wanted = wanted || cut.starts_with(c.toStdString() + ": ");
      if (wanted) out.push_back(cut);
    }
    return out;
  }

  // The section under a header text; -1 when the list has no such column.
  int section(const QString& header) const {
    for (std::size_t i = 0; i < headers.size(); ++i) {
      if (headers[i] == header) return static_cast<int>(i);
    }
    return -1;
  }
  // The texts of one column, top to bottom; empty when there is no such column.
  std::vector<QString> column(const QString& header) const {
    std::vector<QString> out;
    const int s = section(header);
    if (s < 0) return out;
    for (const auto& row : texts) out.push_back(row[static_cast<std::size_t>(s)]);
    return out;
  }
  // The first row whose cell under `header` reads `text`; -1 when none.
  int row_with(const QString& header, const QString& text) const {
    const std::vector<QString> cells = column(header);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i] == text) return static_cast<int>(i);
    }
    return -1;
  }
};

inline ShownList read_list(QTableView* view) {
  ShownList list;
  const QAbstractItemModel* model = view->model();
  QHeaderView* header = view->horizontalHeader();
  // Headers may be drawn bold (the current row highlights every section): measured so, they fit either way.
  QFont header_font = header->font();
  header_font.setBold(true);
  const QFontMetrics header_metrics(header_font);
  const int header_margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  const int cell_margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
  const auto note = [&](const std::string& where, const QString& text, int width, int needed) {
    if (needed > width) {
      list.cut_off.push_back(where + text.toStdString() + ": " + std::to_string(width) + " < " +
                             std::to_string(needed));
    }
  };
  for (int section = 0; section < model->columnCount(); ++section) {
    const QString text = model->headerData(section, Qt::Horizontal).toString();
    list.headers.push_back(text);
    note("header ", text, header->sectionSize(section),
         header_metrics.horizontalAdvance(text) + header_margin);
  }
  for (int row = 0; row < model->rowCount(); ++row) {
    list.texts.emplace_back();
    list.icons.emplace_back();
    list.right.emplace_back();
    for (int section = 0; section < model->columnCount(); ++section) {
      const QModelIndex index = model->index(row, section);
      const QString text = index.data().toString();
      list.texts.back().push_back(text);
      list.icons.back().push_back(!index.data(Qt::DecorationRole).value<QIcon>().isNull());
      list.right.back().push_back((index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight) != 0);
      note(list.headers[static_cast<std::size_t>(section)].toStdString() + ": ", text,
           header->sectionSize(section), view->fontMetrics().horizontalAdvance(text) + cell_margin);
    }
  }
  return list;
}

// A click released on a header section, as the mouse gives it, with the keys held.
inline void click_header(QTableView* view, int section, Qt::KeyboardModifiers keys = {}) {
  QHeaderView* header = view->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                  header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, keys, at);
}

// A click on a row of the list, so that it becomes the current one.
inline void click_row(QTableView* view, int row) {
  const QRect cell = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// The real close button ends a browse; a window that lacks one is closed all the same, so that a failed
// check never leaves the test waiting.
inline void close_browse(QWidget* window) {
  if (auto* close = window->findChild<QPushButton*>(QStringLiteral("close"))) {
    close->click();
  } else {
    window->close();
  }
}

}  // namespace slownik::testing
