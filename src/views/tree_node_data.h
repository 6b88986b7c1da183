#pragma once

#include <QTreeWidgetItem>
#include <string>

namespace zq {

// What the folder tree keeps in each node's data.
inline constexpr int kNodeKindRole = Qt::UserRole + 1;
inline constexpr int kNodeNameRole = Qt::UserRole + 2;   // the raw name (CP949 on the console)
inline constexpr int kDriveRootRole = Qt::UserRole + 3;  // drive nodes: their root path
inline constexpr int kOwnIconRole = Qt::UserRole + 4;    // the picture when not selected

inline int KindOf(const QTreeWidgetItem* node) {
  return node->data(0, kNodeKindRole).toInt();
}

inline std::string RawName(const QTreeWidgetItem* node) {
  return node->data(0, kNodeNameRole).toByteArray().toStdString();
}

}  // namespace zq
