#include "app/program_identity.h"

#include <QGuiApplication>

#include "views/view_icons.h"

namespace zq {

QIcon ProgramIcon() {
  EnsureProgramResources();
  return QIcon::fromTheme(QString::fromLatin1(kDesktopId), QIcon(":/zq61/icons/zq61.svg"));
}

void SetProgramIdentity() {
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace zq
