// The console node while no console is connected.
#include "operations/operation_texts.h"
#include "views/czq_tree_view.h"

namespace zq {

void CZQTreeView::SetConsoleReachable(bool reachable) {
  if (consoleNode_ == nullptr) {
    return;
  }
  if (!reachable) {
    CollapseConsoleNode();
  }
  ++quietSelection_;
  consoleNode_->setDisabled(!reachable);
  consoleNode_->setToolTip(0, reachable ? QString() : QString::fromUtf8(text::kNotConnected));
  --quietSelection_;
}

}  // namespace zq
