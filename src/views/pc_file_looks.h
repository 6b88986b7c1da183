#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

class QFileInfo;

namespace zq {

class ViewIcons;

// The type name and the icon of PC files for one fill of the list, looked up
// once per extension: the platform's type of a file follows its extension,
// and asking for it anew costs more than the rest of a row. Names without
// an extension are looked up one by one.
class PcFileLooks {
 public:
  struct Look {
    QString type;
    QIcon icon;
  };

  explicit PcFileLooks(const ViewIcons& icons) : icons_(icons) {}

  const Look& For(const QFileInfo& info);

 private:
  Look LookUp(const QFileInfo& info) const;

  const ViewIcons& icons_;
  QMimeDatabase types_;
  QHash<QString, Look> byExtension_;
  Look single_;
};

}  // namespace zq
