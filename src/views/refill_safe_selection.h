#pragma once

#include <QObject>

class QAbstractItemView;

namespace zq {

// Keeps a refill of a list from selecting a row nobody chose.
//
// A press on a row that is already selected (the second press of a double
// click, for one) leaves the selection to the release, so that a drag can
// start. When the double click opens a folder, the list is refilled between
// the press and the release, and the release then selects whatever row of
// the new folder lies under the pointer. This filter lets the release
// through and then clears the selection when the list was refilled since
// the press.
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
  bool refilledSincePress_ = false;
  bool forwarding_ = false;
};

}  // namespace zq
