// The rows of the file list: filling them for a console or a PC folder, and
// sorting them by a column.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTreeView>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/codepage.h"
#include "platform/file_times.h"
#include "views/czq61_view.h"
#include "views/list_cell.h"
#include "views/pc_file_looks.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/view_icons.h"

namespace zq {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

// "%Y-%m-%d %H:%M" of the last write, in local time. Read from the file
// system directly: a local QDateTime for each of many files costs more than
// the rest of their rows.
std::string ModifiedText(const QFileInfo& info, LocalDateTexts& texts) {
  const auto seconds = LastWriteSeconds(QFile::encodeName(info.filePath()).toStdString());
  return seconds ? texts.Of(*seconds) : std::string();
}

}  // namespace

void CZQ61View::AppendRow(const RowTexts& row, const QString& displayName, const QIcon& icon) {
  auto* name = new ListCell(SortKindOfColumn(0), displayName, displayName.toStdString());
  name->setIcon(icon);
  name->setData(QByteArray::fromStdString(row.rawName), kRawNameRole);
  auto* size = new ListCell(SortKindOfColumn(1), Qs(row.size), row.size);
  size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* type = new ListCell(SortKindOfColumn(2), Qs(row.type), row.type);
  auto* modified = new ListCell(SortKindOfColumn(3), Qs(row.modified), row.modified);
  for (QStandardItem* item :
       {static_cast<QStandardItem*>(name), static_cast<QStandardItem*>(size),
        static_cast<QStandardItem*>(type), static_cast<QStandardItem*>(modified)}) {
    item->setEditable(false);
  }
  model_->appendRow({name, size, type, modified});
}

bool CZQ61View::RefillList() {
  EndNewFolderEdit();
  model_->removeRows(0, model_->rowCount());
  if (currentPath_.empty()) {
    return true;  // nothing shown yet: nothing to read
  }
  if (IsConsolePath(currentPath_)) {
    return FillConsoleRows();
  }
  FillPcRows();
  return true;
}

void CZQ61View::ShowConsoleUnreachable() {
  if (!IsConsolePath(currentPath_)) {
    return;
  }
  EndNewFolderEdit();
  model_->removeRows(0, model_->rowCount());
}

bool CZQ61View::FillConsoleRows() {
  const auto& icons = ViewIcons::Get();
  if (!IsConsoleRoot(currentPath_)) {
    const RowTexts parent = ParentRow();
    AppendRow(parent, Qs(parent.rawName), icons.Program(RowIcon::Folder));
  }
  EntryList entries;
  const Status result =
      context_.operations.Link().ListFolder(entries, currentPath_, ListMode::Full);
  if (result != status::kOk) {
    context_.ui.ShowMessage(ListingFailureMessage(result));
    return false;
  }
  const bool zqMode = context_.isZqMode();
  for (const auto& entry : entries) {
    if (!IsListableConsoleName(entry.name) || !ShowEntry(zqMode, currentPath_, entry.name)) {
      continue;
    }
    const RowTexts row = RowForRemoteEntry(entry);
    AppendRow(row, Qs(Cp949ToUtf8(row.rawName)), icons.Program(row.icon));
  }
  if (context_.isConnected()) {
    context_.operations.ShowDiskInfo();
  }
  return true;
}

void CZQ61View::FillPcRows() {
  const auto& icons = ViewIcons::Get();
  const QDir folder(Qs(currentPath_));
  PcFileLooks looks(icons);
  LocalDateTexts dates;
  // Folders first (hidden ones included), then the files that are neither
  // hidden nor special, each in the order the file system gives them. One
  // reading of the folder serves both passes.
  const auto entries = folder.entryInfoList(
      QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
  for (const QFileInfo& info : entries) {
    if (info.isDir()) {
      RowTexts row{info.fileName().toStdString(),
                   {},
                   std::string(kFolderType),
                   ModifiedText(info, dates),
                   RowIcon::Platform};
      AppendRow(row, info.fileName(), icons.ForPcEntry(info));
    }
  }
  for (const QFileInfo& info : entries) {
    if (info.isDir() || info.isHidden()) {
      continue;
    }
    const PcFileLooks::Look& look = looks.For(info);
    RowTexts row{info.fileName().toStdString(), SizeText(static_cast<std::uint64_t>(info.size())),
                 look.type.toStdString(), ModifiedText(info, dates), RowIcon::Platform};
    AppendRow(row, info.fileName(), look.icon);
  }
}

void CZQ61View::OnHeaderClicked(int column) {
  directions_.Toggle(column);
  SortBy(column);
}

void CZQ61View::SortBy(int column) {
  if (column < 0 || column >= model_->columnCount()) {
    return;
  }
  EndNewFolderEdit();
  const int rows = model_->rowCount();
  std::vector<const ListCell*> cells(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    cells[static_cast<std::size_t>(row)] = dynamic_cast<const ListCell*>(model_->item(row, column));
    if (cells[static_cast<std::size_t>(row)] == nullptr) {
      return;  // not a row of this list
    }
  }
  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.begin(), order.end(), 0);
  const bool ascending = directions_.Ascending(column);
  // Stable: rows that compare equal keep their order, in both directions.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const ListCell& x = *cells[static_cast<std::size_t>(a)];
    const ListCell& y = *cells[static_cast<std::size_t>(b)];
    return ascending ? x < y : y < x;
  });

  // The rows are moved as they are, last first and appended in the new
  // order: each step costs the same whatever the folder's size, which
  // neither a move from the front nor the model's own sort gives (the
  // latter leaves the rows' remembered positions behind, and every later
  // lookup of a row then searches for it). The views are told once, and
  // the selection and the current row are put back on the same rows.
  QItemSelectionModel* selection = details_->selectionModel();
  std::vector<QStandardItem*> selected;
  for (const QModelIndex& index : selection->selectedRows(0)) {
    selected.push_back(model_->item(index.row(), 0));
  }
  const QModelIndex currentIndex = selection->currentIndex();
  QStandardItem* current =
      currentIndex.isValid() ? model_->item(currentIndex.row(), currentIndex.column()) : nullptr;
  emit model_->layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  {
    const QSignalBlocker quiet(model_);
    std::vector<QList<QStandardItem*>> taken(static_cast<std::size_t>(rows));
    for (int row = rows - 1; row >= 0; --row) {
      taken[static_cast<std::size_t>(row)] = model_->takeRow(row);
    }
    for (int row : order) {
      model_->appendRow(taken[static_cast<std::size_t>(row)]);
    }
  }
  emit model_->layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  QItemSelection kept;
  for (const QStandardItem* item : selected) {
    const QModelIndex index = item->index();
    kept.select(index, index.sibling(index.row(), model_->columnCount() - 1));
  }
  selection->select(kept, QItemSelectionModel::ClearAndSelect);
  if (current != nullptr) {
    selection->setCurrentIndex(current->index(), QItemSelectionModel::NoUpdate);
  }
}

}  // namespace zq
