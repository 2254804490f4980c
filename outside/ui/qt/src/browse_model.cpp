// The browse's visible page as a Qt table model.
#include "browse_model.h"

#include "host_context.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "ui_qt/icons.h"

namespace ui_qt {

std::string cell_text(const dane::Column& column, std::string_view cell) {
  if (column.picture.empty()) return std::string(runtime::trim_right(cell));
  const std::string shown = runtime::format_picture(column.picture, cell);
  return std::string(right_aligned(column) ? runtime::trim(shown) : runtime::trim_right(shown));
}

QIcon cell_icon(std::string_view cell) {
  const std::string_view name = runtime::trim(cell);
  const bool resource =
      name.size() > 5 && name.front() == '~' && runtime::same_name(name.substr(name.size() - 4), ".ico");
  return resource ? program_icon(name) : QIcon();
}

bool right_aligned(const dane::Column& column) {
  const runtime::PictureKind kind = runtime::picture_kind(column.picture);
  return column.numeric || kind == runtime::PictureKind::number || kind == runtime::PictureKind::exponent;
}

BrowseModel::BrowseModel(const dane::BrowseWindow& browse, QObject* parent)
    : QAbstractTableModel(parent), browse_(browse) {}

void BrowseModel::reload() {
  beginResetModel();
  endResetModel();
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browse_.rows().size());
}

int BrowseModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browse_.columns().size());
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (row >= browse_.rows().size() || column >= browse_.columns().size()) return {};
  const dane::Row& cells = browse_.rows()[row];
  if (role == Qt::DisplayRole || role == Qt::DecorationRole) {
    if (column >= cells.size()) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const QIcon icon = cell_icon(cells[column]);
    if (role == Qt::DecorationRole) return icon.isNull() ? QVariant() : QVariant(icon);
    return icon.isNull() ? to_qt(cell_text(browse_.columns()[column], cells[column])) : QString();
  }
  if (role == Qt::TextAlignmentRole && right_aligned(browse_.columns()[column])) {
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      static_cast<std::size_t>(section) >= browse_.columns().size()) {
    return {};
  }
  const dane::Column& column = browse_.columns()[static_cast<std::size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return to_qt(column.header.empty() ? column.name : column.header);
    case Qt::ToolTipRole:
    case kPictureRole:
      return to_qt(column.picture);
    default:
      return {};
  }
}

}  // namespace ui_qt
