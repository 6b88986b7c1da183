#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QAbstractItemView;

namespace zq {

// Keeps a refill of a list from selecting a row nobody chose.
//
// When a double click opens a folder, the list is refilled while the button
// is still down. The pressed row is gone, so the small move a hand makes
// before the release is taken for a drag over the new rows and selects the
// one under the pointer; a release after a press on a selected row (the
// second press of a double click) would select it too. Until the release,
// this filter keeps such moves from the view, and after the view has had
// the release it clears the selection, whenever the list was refilled
// since the press.
class RefillSafeSelection : public QObject {
 public:
  // Watches `view` (its viewport's mouse and its model's refills); the
  // filter belongs to the view.
  static void Attach(QAbstractItemView* view);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit RefillSafeSelection(QAbstractItemView* view);

  QAbstractItemView* view_;
  // Kept apart from the view: while the view is taken down, its viewport
  // still gets events, and the half-destroyed view must not be asked for it.
  QPointer<QWidget> viewport_;
  bool refilledSincePress_ = false;
  bool forwarding_ = false;
};

}  // namespace zq
