#pragma once

#include <QTreeWidget>

namespace zq {

// The basket's report list: one row selectable, the selection always shown.
// A press reports the row under the mouse (-1 on empty space); a basket row
// dragged onto another basket row reports the move and leaves the rows as
// they are, since the dialog fills the list again from its basket.
class BasketListWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit BasketListWidget(QWidget* parent = nullptr);

 signals:
  void rowPressed(int row);
  void rowDropped(int dragged, int target);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The basket row under a drag, -1 when it is not over one or the drag
  // does not come from this list.
  int TargetRow(const QDropEvent* event) const;

  int dragged_ = -1;
};

}  // namespace zq
