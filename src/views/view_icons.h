#pragma once

#include <QFileIconProvider>
#include <QIcon>

#include "views/rules/row_texts.h"

class QFileInfo;

namespace zq {

// Registers the program's resources (icons, toolbar images, logo) once.
bool EnsureProgramResources();

// The program's own pictures (drawn for this program, in the resources) and
// the platform's icons for PC files, folders and drives.
class ViewIcons {
 public:
  static const ViewIcons& Get();

  QIcon Program(RowIcon icon) const;
  QIcon ForPcEntry(const QFileInfo& info) const;
  QIcon Computer() const { return computer_; }
  QIcon Drive() const;
  QIcon Multiple() const { return multiple_; }
  QIcon Card() const { return card_; }

 private:
  ViewIcons();
  bool registered_;
  QFileIconProvider provider_;
  QIcon folder_, folderOpen_, consoleFile_, mp3_, card_, executable_, multiple_, computer_;
};

}  // namespace zq
