// The usual keys of a file list.
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTreeView>

#include "views/czq61_view.h"
#include "views/rules/folder_path.h"

namespace zq {

void CZQ61View::OnMoveUp() {
  if (currentPath_.empty()) {
    return;  // nothing shown yet
  }
  NavigateTo(ParentFolderPath(currentPath_));
}

bool CZQ61View::HandleListKey(QKeyEvent* key) {
  if (newFolderPending_) {
    return false;  // the name editor's own keys (Enter ends the edit) reach the view too
  }
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  const int code = key->key();
  if (modifiers == Qt::NoModifier && (code == Qt::Key_Return || code == Qt::Key_Enter)) {
    // What a double click on the current row does; the first selected row
    // when the current one is not selected.
    QModelIndex row = ActiveView()->currentIndex();
    QItemSelectionModel* selection = details_->selectionModel();
    if (!row.isValid() || !selection->isRowSelected(row.row(), QModelIndex())) {
      const QModelIndexList rows = selection->selectedRows(0);
      row = rows.isEmpty() ? QModelIndex() : rows.front();
    }
    OnDoubleClick(row);
    return true;
  }
  if ((modifiers == Qt::NoModifier && code == Qt::Key_Backspace) ||
      (modifiers == Qt::AltModifier && code == Qt::Key_Up)) {
    OnMoveUp();
    return true;
  }
  if (modifiers == Qt::NoModifier && code == Qt::Key_F5) {
    OnRefresh();
    return true;
  }
  if (modifiers == Qt::ControlModifier && code == Qt::Key_A) {
    ActiveView()->selectAll();
    return true;
  }
  return false;
}

}  // namespace zq
