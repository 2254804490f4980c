// The table model of a browse: the rows of its visible page in the columns the user's layout shows, their
// headers with the header sorter's marks, and their pictures.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dane/browse.h"

namespace ui_qt {

// The column's display picture, for the header's ToolTipRole.
inline constexpr int kPictureRole = Qt::UserRole + 1;

// The icon a cell shows (dane::cell_icon_name) when the program's set draws it; a null icon otherwise.
QIcon cell_icon(const dane::Column& column, std::string_view cell);

class BrowseModel : public QAbstractTableModel {
 public:
  explicit BrowseModel(const dane::BrowseWindow& browse, QObject* parent = nullptr);

  // Takes the browse's page and layout again after it paged, located, sorted or changed order.
  void reload();

  // The browse's column a section of the view shows; nothing for a section past the shown columns.
  std::optional<std::size_t> column_of(int section) const;
  const std::vector<dane::ColumnView>& shown() const { return shown_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const dane::BrowseWindow& browse_;
  std::vector<dane::ColumnView> shown_;
};

}  // namespace ui_qt
