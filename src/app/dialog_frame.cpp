#include "app/dialog_frame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace zq {

void UseDialogFrame(QWidget* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  // Wide enough for its whole title beside the frame's buttons: a window
  // manager cuts a title that does not fit ("Confi...mode").
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  constexpr int kFrameButtonsAndMargins = 120;
  const int titleWidth =
      QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()) + kFrameButtonsAndMargins;
  dialog->setMinimumWidth(std::max(dialog->minimumWidth(), titleWidth));
}

}  // namespace zq
