// Rows dragged out of the list onto the tree.
#include <QDrag>
#include <QMimeData>

#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/list_model.h"
#include "views/view_icons.h"

namespace zq {

namespace {

// The MIME type of rows dragged from the list onto the tree.
constexpr const char* kRowsMimeType = "application/x-zq61-rows";

}  // namespace

QDrag* CZQ61View::MakeRowsDrag() {
  const auto rows = SelectedRows();
  if (rows.empty()) {
    return nullptr;
  }
  auto* drag = new QDrag(this);
  auto* payload = new QMimeData;
  payload->setData(kRowsMimeType, QByteArray::number(static_cast<int>(rows.size())));
  drag->setMimeData(payload);
  if (rows.size() == 1) {
    drag->setPixmap(model_->Row(rows.front()).icon.pixmap(32, 32));
    drag->setHotSpot(QPoint(8, 8));
  } else {
    drag->setPixmap(ViewIcons::Get().Multiple().pixmap(32, 32));
    drag->setHotSpot(QPoint(16, 16));
  }
  return drag;
}

void CZQ61View::StartDrag() {
  if (QDrag* drag = MakeRowsDrag()) {
    drag->exec(Qt::CopyAction);
  }
}

void CZQ61View::FinishDropOnTree() {
  if (tree_ == nullptr || currentPath_.empty()) {
    return;
  }
  const std::string target = tree_->TakeDropTargetPath();
  if (target.empty()) {
    return;  // the computer node, or no node: nowhere to copy
  }
  CollectSelection();
  context_.operations.CopyItems(copyList_, target);
  RefillList();
}

bool IsListRowsDrag(const QMimeData* data) {
  return data != nullptr && data->hasFormat(kRowsMimeType);
}

}  // namespace zq
