#include "views/view_icons.h"

#include <QFileInfo>

// Resources of a static library are not registered on their own; this runs
// before the first icon is loaded. It must sit outside the namespace.
static bool RegisterProgramResources() {
  Q_INIT_RESOURCE(zq61);
  return true;
}

namespace zq {

bool EnsureProgramResources() {
  static const bool registered = RegisterProgramResources();
  return registered;
}

const ViewIcons& ViewIcons::Get() {
  static const ViewIcons icons;
  return icons;
}

ViewIcons::ViewIcons()
    : registered_(EnsureProgramResources()),
      folder_(":/zq61/icons/folder.svg"),
      folderOpen_(":/zq61/icons/folder_open.svg"),
      consoleFile_(":/zq61/icons/console_file.svg"),
      mp3_(":/zq61/icons/mp3_file.svg"),
      card_(":/zq61/icons/card.svg"),
      executable_(":/zq61/icons/executable.svg"),
      multiple_(":/zq61/icons/multiple.svg"),
      computer_(":/zq61/icons/computer.svg") {}

QIcon ViewIcons::Program(RowIcon icon) const {
  switch (icon) {
    case RowIcon::Folder:
      return folder_;
    case RowIcon::FolderOpen:
      return folderOpen_;
    case RowIcon::ConsoleFile:
      return consoleFile_;
    case RowIcon::Mp3File:
      return mp3_;
    case RowIcon::Unused:
      return card_;
    case RowIcon::Executable:
      return executable_;
    case RowIcon::Platform:
      break;
  }
  return consoleFile_;
}

QIcon ViewIcons::ForPcEntry(const QFileInfo& info) const {
  QIcon icon = provider_.icon(info);
  if (icon.isNull()) {
    return info.isDir() ? folder_ : provider_.icon(QFileIconProvider::File);
  }
  return icon;
}

QIcon ViewIcons::Drive() const {
  QIcon icon = provider_.icon(QFileIconProvider::Drive);
  return icon.isNull() ? folder_ : icon;
}

}  // namespace zq
