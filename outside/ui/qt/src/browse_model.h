// The table model of a browse: the rows of its visible page, its column headers and pictures.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <string>
#include <string_view>

#include "dane/browse.h"

namespace ui_qt {

// The column's display picture, for the header's ToolTipRole.
inline constexpr int kPictureRole = Qt::UserRole + 1;

// A cell as the column's picture shows it, without the blanks that pad it to the picture's width (the
// table aligns it): "1234.5" under "@n-14`2" is "1 234,50", a day number under "@d17" its date.
std::string cell_text(const dane::Column& column, std::string_view cell);
// The icon a cell stands for when its whole text is an icon resource the program's set holds
// ("~boxon.ico", shown/hidden marks and the like); a null icon for any other text, which shows as text.
QIcon cell_icon(std::string_view cell);
// Numbers (a numeric column, or a number or exponent picture) stand to the right.
bool right_aligned(const dane::Column& column);

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
