// The browse's visible page as a Qt table model.
#include "browse_model.h"

#include "host_context.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "ui_qt/icons.h"

namespace ui_qt {

QIcon cell_icon(const dane::Column& column, std::string_view cell) {
  const std::string name = dane::cell_icon_name(column, cell);
  return name.empty() ? QIcon() : program_icon(name);
}

BrowseModel::BrowseModel(const dane::BrowseWindow& browse, QObject* parent)
    : QAbstractTableModel(parent), browse_(browse), shown_(browse.shown_columns()) {}

void BrowseModel::reload() {
  beginResetModel();
  shown_ = browse_.shown_columns();
  endResetModel();
}

std::optional<std::size_t> BrowseModel::column_of(int section) const {
  if (section < 0 || static_cast<std::size_t>(section) >= shown_.size()) return std::nullopt;
  return shown_[static_cast<std::size_t>(section)].column;
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browse_.rows().size());
}

int BrowseModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const auto section = column_of(index.column());
  if (row >= browse_.rows().size() || !section) return {};
  const dane::ColumnView& view = shown_[static_cast<std::size_t>(index.column())];
  const dane::Column& column = browse_.columns()[*section];
  const dane::Row& cells = browse_.rows()[row];
  if (role == Qt::DisplayRole || role == Qt::DecorationRole) {
    if (*section >= cells.size()) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const QIcon icon = cell_icon(column, cells[*section]);
    if (role == Qt::DecorationRole) return icon.isNull() ? QVariant() : QVariant(icon);
    if (!icon.isNull()) return QString();
    // An icon column whose icon the set does not draw names it, so that the flag is not lost.
    if (!column.icon.empty()) return to_qt(dane::cell_icon_name(column, cells[*section]));
    return to_qt(dane::cell_text(column, view.picture, cells[*section]));
  }
  if (role == Qt::TextAlignmentRole && dane::right_aligned(column, view.picture)) {
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const auto column = orientation == Qt::Horizontal ? column_of(section) : std::nullopt;
  if (!column) return {};
  switch (role) {
    case Qt::DisplayRole:
      // The designed header with the header sorter's mark ("Nazwa[+]", "Nr[-2]").
      return to_qt(browse_.header_text(*column));
    case Qt::ToolTipRole:
    case kPictureRole:
      return to_qt(shown_[static_cast<std::size_t>(section)].picture);
    default:
      return {};
  }
}

}  // namespace ui_qt
