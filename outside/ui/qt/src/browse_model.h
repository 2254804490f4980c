// The table model of a browse: the rows of its visible page, its column headers and pictures.
#pragma once

#include <QAbstractTableModel>

#include "dane/browse.h"

namespace ui_qt {

// The column's display picture, for the header's ToolTipRole and for later formatting.
inline constexpr int kPictureRole = Qt::UserRole + 1;

class BrowseModel : public QAbstractTableModel {
 public:
  explicit BrowseModel(const dane::BrowseWindow& browse, QObject* parent = nullptr);

  // Takes the browse's page again after it paged, located or changed order.
  void reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const dane::BrowseWindow& browse_;
};

}  // namespace ui_qt
