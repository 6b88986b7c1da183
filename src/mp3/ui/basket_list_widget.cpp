#include "mp3/ui/basket_list_widget.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>

namespace zq {

BasketListWidget::BasketListWidget(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
}

void BasketListWidget::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  dragged_ = index.isValid() ? index.row() : -1;
  emit rowPressed(dragged_);
}

int BasketListWidget::TargetRow(const QDropEvent* event) const {
  if (event->source() != this || dragged_ < 0) {
    return -1;
  }
  const QModelIndex index = indexAt(event->position().toPoint());
  return index.isValid() ? index.row() : -1;
}

void BasketListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void BasketListWidget::dragMoveEvent(QDragMoveEvent* event) {
  // Over a basket row the drop is allowed; anywhere else the cursor says no.
  if (TargetRow(event) >= 0) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void BasketListWidget::dropEvent(QDropEvent* event) {
  const int target = TargetRow(event);
  const int dragged = dragged_;
  // The view must not move or remove rows itself: the basket decides.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (target >= 0 && target != dragged) {
    emit rowDropped(dragged, target);
  }
}

}  // namespace zq
