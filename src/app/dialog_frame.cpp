#include "app/dialog_frame.h"

#include <QWidget>

namespace zq {

void UseDialogFrame(QWidget* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

}  // namespace zq
