#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "views/explorer_context.h"
#include "views/rules/list_sorter.h"
#include "views/rules/row_texts.h"

class QAbstractItemView;
class QDrag;
class QKeyEvent;
class QListView;
class QMenu;
class QMimeData;
class QModelIndex;
class QStackedWidget;
class QTemporaryDir;
class QTreeView;

namespace zq {

class CZQTreeView;
class ListModel;
struct ListRow;

// Whether a drag carries rows of the list (the tree accepts only those).
bool IsListRowsDrag(const QMimeData* data);

// Data roles of the list's rows (column 0).
inline constexpr int kRawNameRole =
    0x0100 + 1;  // QByteArray: the name as the card or disk holds it

// The file list: one folder of the console's card or of the PC, in one of the
// four styles (one model shown by an icon view or by a details view). It owns
// `CurrentPath` and `CopyList`, and carries out most of the frame's commands.
class CZQ61View : public QWidget {
  Q_OBJECT

 public:
  enum Style { kLargeIcons = 0, kDetails = 1, kSmallIcons = 2, kList = 3 };

  explicit CZQ61View(ExplorerContext& context, QWidget* parent = nullptr);
  ~CZQ61View() override;

  void SetTreeView(CZQTreeView* tree) { tree_ = tree; }

  // Start-up, once the console answered: the four columns and the details style.
  void InsertColumns();

  bool RefillList();
  // No console to read from: a console folder shown loses its rows (the
  // folder stays the list's, to be shown again when a console is back).
  void ShowConsoleUnreachable();
  void NavigateTo(const std::string& path);
  void SetListStyle(int style);
  int GetListStyle() const { return style_; }
  void CollectSelection();
  void FormatAndRefill();

  // Sorting: a header click toggles the column's direction and sorts by the
  // column's own kind (Name text, Size number, Type text, Modified date).
  // Rows move as they are: selection and current row stay with them. A PC
  // folder is listed by name (its folders first) until a column is clicked;
  // a console folder as the card lists it. The header marks the column the
  // rows are in order of, and the direction.
  void OnHeaderClicked(int column);
  void SortBy(int column);
  void ToggleSortDirection(int column) { directions_.Toggle(column); }

  // Commands.
  void OnNewFolder();
  void OnRefresh();
  void OnPaste();
  void OnCopy();
  void OnDelete();
  void OnDoubleClick(const QModelIndex& index);

  // Move up: the folder above `CurrentPath` (a root shows itself again).
  void OnMoveUp();

  // Files from the file manager (a drop, or its clipboard through Paste):
  // they become CopyList and are copied into `target` as Paste copies.
  // Later: the drop's source is answered first, the copy runs after.
  void CopyDesktopFiles(const std::vector<std::string>& pcPaths, const std::string& target);
  void CopyDesktopFilesLater(const std::vector<std::string>& pcPaths, const std::string& target);
  // The folder that card rows dragged out of the window were fetched into
  // for the last drag (empty before any).
  std::string DragFetchFolder() const;

  // The end of a drag of rows onto the tree: copy the selection into the
  // node the tree highlighted.
  void FinishDropOnTree();

  // The context menu with its graying; the caller shows it.
  QMenu* BuildContextMenu(QWidget* parent);

  const std::string& CurrentPath() const { return currentPath_; }
  const std::vector<std::string>& CopyList() const { return copyList_; }
  ListModel* Model() const { return model_; }
  QTreeView* DetailsView() const { return details_; }
  QListView* IconView() const { return icons_; }
  QAbstractItemView* ActiveView() const;
  bool NewFolderPending() const { return newFolderPending_; }
  // Ends a pending new-folder edit as if the person had left the editor:
  // the name typed so far is created. Every refill, sort and navigation
  // calls it first, since each would remove or move the edited row.
  void EndNewFolderEdit();

  // The drag of the selected rows (their count, the picture and its hot
  // spot); null when nothing is selected.
  QDrag* MakeRowsDrag();

  // Rows by name (display text), for the frame and tests; -1 when absent.
  int RowOfName(const QString& name) const;
  std::vector<QString> RowNames() const;
  QString RowNameAt(int row) const;

  // Hook for the commercial installation of a double-clicked .zpk file
  // (filled in by the packages' window code); does nothing while empty.
  std::function<void(const std::string& pcPath)> onInstallPackage;

 signals:
  // The list's style changed through the view's own commands.
  void listStyleChanged(int style);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SetColumnWidths();
  void ApplyPendingWidthsLater();
  static ListRow MakeRow(const RowTexts& row, const QString& displayName, const QIcon& icon);
  // The header's sort mark: the column the rows are in order of (-1: none).
  void ShowSortMark(int column, bool ascending);
  bool FillConsoleRows();
  void FillPcRows();
  void OnEditorClosed(bool cancelled);
  void FinishNewFolder(const QString& name);
  bool FinishConsoleFolder(const std::string& utf8);
  void RemoveNewFolderRow();
  void StartDrag();
  std::vector<int> SelectedRows() const;
  // The selection's paths as Copy collects them, CopyList left as it was.
  std::vector<std::string> SelectedPaths();
  QList<QUrl> FetchCardRows(const std::vector<std::string>& consolePaths);
  // The desktop's ways in: the clipboard, drops of files, the usual keys.
  void PrepareDesktopExchange();
  void PutSelectionOnClipboard();
  bool TakeClipboardFiles();
  bool HandleDesktopDrop(QObject* watched, QEvent* event);
  bool HandleListKey(QKeyEvent* key);

  ExplorerContext& context_;
  CZQTreeView* tree_ = nullptr;
  ListModel* model_;
  QStackedWidget* stack_;
  QListView* icons_;
  QTreeView* details_;
  int style_ = kDetails;
  std::string currentPath_;
  std::vector<std::string> copyList_;
  SortDirections directions_;
  bool newFolderPending_ = false;
  QPersistentModelIndex newFolderRow_;
  bool columnsInserted_ = false;
  bool widthsPending_ = false;
  // The clipboard's content arrived after CopyList was last filled.
  bool clipboardNewer_ = false;
  bool settingClipboard_ = false;
  std::shared_ptr<QTemporaryDir> dragFetchFolder_;
};

}  // namespace zq
