#include "views/list_model.h"

#include "views/czq61_view.h"

namespace zq {

void ListModel::SetHeadings(const QStringList& headings) {
  beginResetModel();
  headings_ = headings;
  endResetModel();
}

void ListModel::Fill(std::vector<ListRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  editableRow_ = -1;
  endResetModel();
}

void ListModel::Append(ListRow row) {
  const int at = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), at, at);
  rows_.push_back(std::move(row));
  endInsertRows();
}

void ListModel::Remove(int row) {
  if (row < 0 || row >= rowCount()) {
    return;
  }
  beginRemoveRows(QModelIndex(), row, row);
  rows_.erase(rows_.begin() + row);
  if (editableRow_ == row) {
    editableRow_ = -1;
  } else if (editableRow_ > row) {
    --editableRow_;
  }
  endRemoveRows();
}

void ListModel::Reorder(const std::vector<int>& order) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(rows_.size());
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t at = 0; at < order.size(); ++at) {
    newRowOf[static_cast<std::size_t>(order[at])] = static_cast<int>(at);
    sorted.push_back(std::move(rows_[static_cast<std::size_t>(order[at])]));
  }
  rows_ = std::move(sorted);
  if (editableRow_ >= 0) {
    editableRow_ = newRowOf[static_cast<std::size_t>(editableRow_)];
  }
  // Selection and current row are persistent indexes: they move with their rows.
  QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& index : from) {
    to.append(index.isValid()
                  ? createIndex(newRowOf[static_cast<std::size_t>(index.row())], index.column())
                  : QModelIndex());
  }
  changePersistentIndexList(from, to);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::SetEditableRow(int row) {
  editableRow_ = row;
}

const QString& ListModel::Text(int row, int column) const {
  const ListRow& cells = Row(row);
  switch (column) {
    case 1:
      return cells.size;
    case 2:
      return cells.type;
    case 3:
      return cells.modified;
    default:
      return cells.name;
  }
}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(index.row(), index.column());
    case Qt::DecorationRole:
      return index.column() == 0 ? QVariant(Row(index.row()).icon) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case kRawNameRole:
      return index.column() == 0 ? QVariant(QByteArray::fromStdString(Row(index.row()).rawName))
                                 : QVariant();
    default:
      return {};
  }
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() != editableRow_ ||
      index.column() != 0) {
    return false;
  }
  rows_[static_cast<std::size_t>(index.row())].name = value.toString();
  emit dataChanged(index, index);
  return true;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= headings_.size()) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    return headings_[section];
  }
  if (role == Qt::TextAlignmentRole && section == 1) {
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) {
    return Qt::NoItemFlags;
  }
  Qt::ItemFlags result =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
  if (index.row() == editableRow_ && index.column() == 0) {
    result |= Qt::ItemIsEditable;
  }
  return result;
}

}  // namespace zq
