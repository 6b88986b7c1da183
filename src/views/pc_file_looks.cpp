#include "views/pc_file_looks.h"

#include <QFileInfo>

#include "views/view_icons.h"

namespace zq {

PcFileLooks::Look PcFileLooks::LookUp(const QFileInfo& info) const {
  return {types_.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment(),
          icons_.ForPcEntry(info)};
}

const PcFileLooks::Look& PcFileLooks::For(const QFileInfo& info) {
  const QString name = info.fileName();
  const auto dot = name.lastIndexOf('.');
  if (dot <= 0) {
    single_ = LookUp(info);
    return single_;
  }
  // Case kept: some types differ by the case of their extension.
  const QString extension = name.mid(dot + 1);
  auto found = byExtension_.find(extension);
  if (found == byExtension_.end()) {
    found = byExtension_.insert(extension, LookUp(info));
  }
  return *found;
}

}  // namespace zq
