#include "views/refill_safe_selection.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>

namespace zq {

void RefillSafeSelection::Attach(QAbstractItemView* view) {
  new RefillSafeSelection(view);
}

RefillSafeSelection::RefillSafeSelection(QAbstractItemView* view)
    : QObject(view), view_(view), viewport_(view->viewport()) {
  viewport_->installEventFilter(this);
  QAbstractItemModel* model = view->model();
  auto refilled = [this] { refilledSincePress_ = true; };
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this, refilled);
  connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, refilled);
}

bool RefillSafeSelection::eventFilter(QObject* watched, QEvent* event) {
  if (forwarding_ || viewport_.isNull() || watched != viewport_.data()) {
    return QObject::eventFilter(watched, event);
  }
  if (event->type() == QEvent::MouseButtonPress) {
    refilledSincePress_ = false;
  } else if (event->type() == QEvent::MouseMove && refilledSincePress_ &&
             static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) {
    // The pressed row is gone: a move now would select rows of the new
    // folder by dragging over them.
    return true;
  } else if (event->type() == QEvent::MouseButtonRelease && refilledSincePress_) {
    // The view's own release first (it ends the press), then no selection.
    forwarding_ = true;
    QCoreApplication::sendEvent(watched, event);
    forwarding_ = false;
    refilledSincePress_ = false;
    if (QItemSelectionModel* selection = view_->selectionModel()) {
      selection->clearSelection();
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zq
