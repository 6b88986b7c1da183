// The keys shown in the frame's menus.
#include <QAction>
#include <QKeySequence>
#include <utility>

#include "app/cmain_frame.h"

namespace zq {

void CMainFrame::ShowMenuKeys() {
  // The list handles these itself while it has the keyboard focus (the tree
  // keeps its own use of them): the menu shows them, bound to the menu only.
  const std::pair<int, QKeySequence> listKeys[] = {
      {kDelete, QKeySequence(Qt::Key_Delete)},
      {kCopy, QKeySequence(Qt::CTRL | Qt::Key_C)},
      {kPaste, QKeySequence(Qt::CTRL | Qt::Key_V)},
      {kRefresh, QKeySequence(Qt::Key_F5)},
  };
  for (const auto& [id, key] : listKeys) {
    Action(id)->setShortcut(key);
    Action(id)->setShortcutContext(Qt::WidgetShortcut);
  }
  QAction* close = Action(kClose);
  close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  close->setShortcutContext(Qt::WindowShortcut);
  addAction(close);  // the window itself holds Ctrl+Q, with or without a menu bar
}

}  // namespace zq
