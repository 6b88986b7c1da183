// Rows dragged out of the list: onto the tree, or out of the window to the
// file manager. PC rows carry their paths; card rows are fetched from the
// card only when the drop target asks for the files (see RowsMimeData).
#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QTemporaryDir>
#include <functional>

#include "operations/path_rules.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/desktop_files.h"
#include "views/list_model.h"
#include "views/view_icons.h"

namespace zq {

namespace {

// The MIME type of rows dragged from the list onto the tree.
constexpr const char* kRowsMimeType = "application/x-zq61-rows";

// The payload of a drag of rows. For card rows it offers a uri list whose
// files do not exist yet: the first time the target asks for it (on X11 the
// file manager converts the drag's selection, usually at the drop), the rows
// are fetched from the card into a temporary folder, with the progress
// window, and the target is given those files to copy.
class RowsMimeData : public QMimeData {
 public:
  explicit RowsMimeData(std::function<QList<QUrl>()> fetch) : fetch_(std::move(fetch)) {}

  QStringList formats() const override {
    QStringList types = QMimeData::formats();
    if (fetch_ && !types.contains(kUriListType)) {
      types.push_back(kUriListType);
    }
    return types;
  }
  bool hasFormat(const QString& type) const override { return formats().contains(type); }

 protected:
  QVariant retrieveData(const QString& type, QMetaType preferred) const override {
    if (type != kUriListType || !fetch_) {
      return QMimeData::retrieveData(type, preferred);
    }
    if (!fetched_) {
      fetched_ = true;  // once, whatever the outcome: a failure was reported
      urls_ = fetch_();
    }
    QVariantList list;
    for (const QUrl& url : urls_) {
      list.push_back(url);
    }
    return list;
  }

 private:
  std::function<QList<QUrl>()> fetch_;
  mutable bool fetched_ = false;
  mutable QList<QUrl> urls_;
};

}  // namespace

std::vector<std::string> CZQ61View::SelectedPaths() {
  std::vector<std::string> kept = copyList_;
  const bool newer = clipboardNewer_;
  CollectSelection();
  std::swap(kept, copyList_);
  clipboardNewer_ = newer;
  return kept;
}

QList<QUrl> CZQ61View::FetchCardRows(const std::vector<std::string>& consolePaths) {
  auto folder = std::make_shared<QTemporaryDir>();
  if (!folder->isValid()) {
    return {};
  }
  // Kept until the next drag: the file manager copies after the drop.
  dragFetchFolder_ = folder;
  context_.operations.DownloadItems(consolePaths, folder->path().toStdString() + '/', true);
  // What arrived before a failure (already reported) is still handed over.
  QList<QUrl> urls;
  const QDir fetched(folder->path());
  for (const QString& name :
       fetched.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
    urls.push_back(QUrl::fromLocalFile(fetched.filePath(name)));
  }
  return urls;
}

std::string CZQ61View::DragFetchFolder() const {
  return dragFetchFolder_ ? dragFetchFolder_->path().toStdString() : std::string();
}

QDrag* CZQ61View::MakeRowsDrag() {
  const auto rows = SelectedRows();
  if (rows.empty()) {
    return nullptr;
  }
  const std::vector<std::string> paths = SelectedPaths();
  std::function<QList<QUrl>()> fetch;
  if (!paths.empty() && IsConsolePath(currentPath_)) {
    fetch = [this, paths] { return FetchCardRows(paths); };
  }
  auto* drag = new QDrag(this);
  auto* payload = new RowsMimeData(std::move(fetch));
  payload->setData(kRowsMimeType, QByteArray::number(static_cast<int>(rows.size())));
  if (!paths.empty() && !IsConsolePath(currentPath_)) {
    payload->setUrls(UrlsOfPaths(paths));
  }
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
