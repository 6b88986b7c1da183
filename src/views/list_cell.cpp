#include "views/list_cell.h"

namespace zq {

ListCell::ListCell(SortKind kind, const QString& text, std::string_view keyText)
    : QStandardItem(text), kind_(kind), key_(SortKeyOf(kind, keyText)) {}

void ListCell::setData(const QVariant& value, int role) {
  QStandardItem::setData(value, role);
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    key_ = SortKeyOf(kind_, text().toStdString());
  }
}

bool ListCell::operator<(const QStandardItem& other) const {
  const auto* cell = dynamic_cast<const ListCell*>(&other);
  if (cell == nullptr) {
    return QStandardItem::operator<(other);
  }
  return CompareKeys(kind_, key_, cell->key_) < 0;
}

}  // namespace zq
