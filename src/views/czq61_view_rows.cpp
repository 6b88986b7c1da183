// The rows of the file list: filling them for a console or a PC folder (a
// PC folder by name), and sorting them by a column.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/codepage.h"
#include "platform/folder_entry_stats.h"
#include "views/czq61_view.h"
#include "views/list_model.h"
#include "views/pc_file_looks.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/view_icons.h"

namespace zq {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ListRow CZQ61View::MakeRow(const RowTexts& row, const QString& displayName, const QIcon& icon) {
  return ListRow{displayName, Qs(row.size), Qs(row.type), Qs(row.modified), icon, row.rawName};
}

void CZQ61View::ShowSortMark(int column, bool ascending) {
  QHeaderView* header = details_->header();
  header->setSortIndicatorShown(column >= 0);
  if (column >= 0) {
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  }
}

bool CZQ61View::RefillList() {
  EndNewFolderEdit();
  if (currentPath_.empty()) {
    model_->Fill({});
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
  model_->Fill({});
}

bool CZQ61View::FillConsoleRows() {
  const auto& icons = ViewIcons::Get();
  std::vector<ListRow> rows;
  if (!IsConsoleRoot(currentPath_)) {
    const RowTexts parent = ParentRow();
    rows.push_back(MakeRow(parent, Qs(parent.rawName), icons.Program(RowIcon::Folder)));
  }
  // In the order the card lists them: no column marked.
  ShowSortMark(-1, true);
  EntryList entries;
  const Status result =
      context_.operations.Link().ListFolder(entries, currentPath_, ListMode::Full);
  if (result != status::kOk) {
    model_->Fill(std::move(rows));  // the parent row alone
    context_.ui.ShowMessage(ListingFailureMessage(result));
    return false;
  }
  const bool zqMode = context_.isZqMode();
  for (const auto& entry : entries) {
    if (!IsListableConsoleName(entry.name) || !ShowEntry(zqMode, currentPath_, entry.name)) {
      continue;
    }
    const RowTexts row = RowForRemoteEntry(entry);
    rows.push_back(MakeRow(row, Qs(Cp949ToUtf8(row.rawName)), icons.Program(row.icon)));
  }
  model_->Fill(std::move(rows));
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
  // Size and "%Y-%m-%d %H:%M" of the last write (local time) from one look
  // at each entry: a local QDateTime for each of many files costs more than
  // the rest of their rows.
  const FolderEntryStats stats(QFile::encodeName(Qs(currentPath_)).toStdString());
  // Folders first (hidden ones included), then the files that are neither
  // hidden nor special, each by name. One reading of the folder serves both
  // passes.
  const auto entries = folder.entryInfoList(
      QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
  std::vector<ListRow> rows;
  rows.reserve(static_cast<std::size_t>(entries.size()));
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(entries.size()));
  std::size_t folders = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (const QFileInfo& info : entries) {
      const bool isFolder = info.isDir();
      if (pass == 0 ? !isFolder : (isFolder || info.isHidden())) {
        continue;
      }
      std::string name = info.fileName().toStdString();
      const auto entry = stats.Of(QFile::encodeName(info.fileName()).toStdString());
      const std::string modified = entry ? dates.Of(entry->lastWriteSeconds) : std::string();
      if (isFolder) {
        rows.push_back(ListRow{info.fileName(), QString(), Qs(std::string(kFolderType)),
                               Qs(modified), icons.ForPcEntry(info), name});
      } else {
        const PcFileLooks::Look& look = looks.For(info);
        rows.push_back(ListRow{info.fileName(), Qs(SizeText(entry ? entry->size : 0)), look.type,
                               Qs(modified), look.icon, name});
      }
      names.push_back(std::move(name));
    }
    if (pass == 0) {
      folders = rows.size();
    }
  }
  // By name, each group on its own, as the person will see them sorted.
  std::vector<SortKey> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    keys[i] = SortKeyOf(SortKind::Text, names[i]);
  }
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto byName = [&keys](std::size_t a, std::size_t b) {
    return CompareKeys(SortKind::Text, keys[a], keys[b]) < 0;
  };
  const auto middle = order.begin() + static_cast<std::ptrdiff_t>(folders);
  std::stable_sort(order.begin(), middle, byName);
  std::stable_sort(middle, order.end(), byName);
  std::vector<ListRow> sorted;
  sorted.reserve(rows.size());
  for (std::size_t at : order) {
    sorted.push_back(std::move(rows[at]));
  }
  ShowSortMark(0, true);
  model_->Fill(std::move(sorted));
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
  const SortKind kind = SortKindOfColumn(column);
  std::vector<SortKey> keys(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    keys[static_cast<std::size_t>(row)] = SortKeyOf(kind, model_->Text(row, column).toStdString());
  }
  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.begin(), order.end(), 0);
  const bool ascending = directions_.Ascending(column);
  // Stable: rows that compare equal keep their order, in both directions.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const SortKey& x = keys[static_cast<std::size_t>(a)];
    const SortKey& y = keys[static_cast<std::size_t>(b)];
    return ascending ? CompareKeys(kind, x, y) < 0 : CompareKeys(kind, y, x) < 0;
  });
  // The rows move as they are: the selection and the current row go with them.
  model_->Reorder(order);
  ShowSortMark(column, ascending);
}

}  // namespace zq
