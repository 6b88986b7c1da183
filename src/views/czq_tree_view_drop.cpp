// The tree as the drop target of rows dragged out of the list, and of files
// dragged from the file manager onto a folder node.
#include <QDragMoveEvent>
#include <QStyle>
#include <algorithm>

#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/desktop_files.h"
#include "views/tree_node_data.h"

namespace zq {

namespace {

// Rows of the list, or local files from outside the window.
bool TakesDrag(const QMimeData* data) {
  return IsListRowsDrag(data) || !LocalFilesOf(data).empty();
}

}  // namespace

void CZQTreeView::ClearDropHighlight() {
  if (dropNode_ != nullptr) {
    dropNode_->setBackground(0, QBrush());
    dropNode_->setForeground(0, QBrush());
    dropNode_ = nullptr;
  }
}

bool CZQTreeView::HighlightDropTarget(const QPoint& globalPoint) {
  ClearDropHighlight();
  const QPoint point = viewport()->mapFromGlobal(globalPoint);
  QTreeWidgetItem* node = itemAt(point);
  // Only folders take dropped rows: a file node, or the computer node, is no target.
  if (node == nullptr || !IconAndLabelRect(node).contains(point) || KindOf(node) == kConsoleFile ||
      KindOf(node) == kComputerNode) {
    return false;
  }
  dropNode_ = node;
  dropNode_->setBackground(0, palette().highlight());
  dropNode_->setForeground(0, palette().highlightedText());
  return true;
}

QRect CZQTreeView::IconAndLabelRect(const QTreeWidgetItem* node) const {
  // As the item delegate lays a row out: a margin either side of the icon
  // and of the text, from the row's left (the branch area is not the row's).
  const QRect row = visualItemRect(node);
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int icon = iconSize().isValid()
                       ? iconSize().width()
                       : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  const int text = fontMetrics().horizontalAdvance(node->text(0));
  const int width = (node->icon(0).isNull() ? 0 : icon + 2 * margin) + text + 2 * margin;
  return QRect(row.left(), row.top(), std::min(width, row.width()), row.height());
}

std::string CZQTreeView::TakeDropTargetPath() {
  const std::string path = dropNode_ != nullptr ? PathOfNode(dropNode_) : std::string();
  ClearDropHighlight();
  return path;
}

void CZQTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (TakesDrag(event->mimeData())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CZQTreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (TakesDrag(event->mimeData()) &&
      HighlightDropTarget(viewport()->mapToGlobal(event->position().toPoint()))) {
    // Always a copy: a source never removes what it dropped here.
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CZQTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  ClearDropHighlight();
  QTreeWidget::dragLeaveEvent(event);
}

void CZQTreeView::dropEvent(QDropEvent* event) {
  if (!TakesDrag(event->mimeData()) || list_ == nullptr ||
      !HighlightDropTarget(viewport()->mapToGlobal(event->position().toPoint()))) {
    ClearDropHighlight();
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (IsListRowsDrag(event->mimeData())) {
    list_->FinishDropOnTree();
  } else {
    list_->CopyDesktopFilesLater(LocalFilesOf(event->mimeData()), TakeDropTargetPath());
  }
}

}  // namespace zq
