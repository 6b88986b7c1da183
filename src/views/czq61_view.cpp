#include "views/czq61_view.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/codepage.h"
#include "views/czq_tree_view.h"
#include "views/list_model.h"
#include "views/name_edit_delegate.h"
#include "views/refill_safe_selection.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/rules/selection_rules.h"
#include "views/view_icons.h"

namespace zq {

namespace {

// The details style: a tree view showing the list's four columns.
class DetailsStyleView : public QTreeView {
 public:
  explicit DetailsStyleView(std::function<void()> onDrag) : onDrag_(std::move(onDrag)) {}

 protected:
  void startDrag(Qt::DropActions) override { onDrag_(); }

 private:
  std::function<void()> onDrag_;
};

// The three icon styles: a list view showing the Name column.
class IconsStyleView : public QListView {
 public:
  explicit IconsStyleView(std::function<void()> onDrag) : onDrag_(std::move(onDrag)) {}

 protected:
  void startDrag(Qt::DropActions) override { onDrag_(); }

 private:
  std::function<void()> onDrag_;
};

void PrepareView(QAbstractItemView* view) {
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setDragEnabled(true);
  view->setDragDropMode(QAbstractItemView::DragOnly);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
}

}  // namespace

CZQ61View::CZQ61View(ExplorerContext& context, QWidget* parent)
    : QWidget(parent), context_(context), model_(new ListModel(this)) {
  stack_ = new QStackedWidget(this);
  icons_ = new IconsStyleView([this] { StartDrag(); });
  details_ = new DetailsStyleView([this] { StartDrag(); });
  stack_->addWidget(icons_);
  stack_->addWidget(details_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);

  details_->setModel(model_);
  icons_->setModel(model_);
  icons_->setSelectionModel(details_->selectionModel());
  details_->setRootIsDecorated(false);
  details_->setItemsExpandable(false);
  details_->setUniformRowHeights(true);
  details_->header()->setSectionsClickable(true);
  details_->header()->setStretchLastSection(false);
  PrepareView(details_);
  PrepareView(icons_);

  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
    connect(view, &QAbstractItemView::doubleClicked, this, &CZQ61View::OnDoubleClick);
    auto* delegate = new NameEditDelegate(view);
    view->setItemDelegate(delegate);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
              OnEditorClosed(hint == QAbstractItemDelegate::RevertModelCache);
            });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
      QMenu* menu = BuildContextMenu(this);
      menu->exec(view->viewport()->mapToGlobal(pos));
      menu->deleteLater();
    });
    view->installEventFilter(this);
    RefillSafeSelection::Attach(view);
  }
  connect(details_->header(), &QHeaderView::sectionClicked, this, &CZQ61View::OnHeaderClicked);
  stack_->setCurrentWidget(details_);
  PrepareDesktopExchange();
}

CZQ61View::~CZQ61View() {
  // The host leaves: tell the console and close the pipes. A link that never
  // opened has nothing to say goodbye to.
  if (context_.operations.Link().IsConnected()) {
    context_.operations.DisconnectDevice();
  }
}

QAbstractItemView* CZQ61View::ActiveView() const {
  return style_ == kDetails ? static_cast<QAbstractItemView*>(details_)
                            : static_cast<QAbstractItemView*>(icons_);
}

void CZQ61View::InsertColumns() {
  if (columnsInserted_) {
    return;
  }
  model_->SetHeadings({"Name", "Size", "Type", "Modified"});
  columnsInserted_ = true;
  // Fractions of the list's width: now when it is on the screen, else as
  // soon as the window has given it its size.
  widthsPending_ = true;
  if (isVisible()) {
    SetColumnWidths();
  }
  SetListStyle(kDetails);
}

void CZQ61View::SetColumnWidths() {
  const int total = width();
  const int percents[4] = {25, 15, 20, 35};
  for (int column = 0; column < 4; ++column) {
    details_->setColumnWidth(column, total * percents[column] / 100);
  }
  widthsPending_ = false;
}

void CZQ61View::ApplyPendingWidthsLater() {
  // Once the window's layout has settled, not at an intermediate size.
  QTimer::singleShot(0, this, [this] {
    if (widthsPending_ && isVisible()) {
      SetColumnWidths();
    }
  });
}

void CZQ61View::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (widthsPending_) {
    ApplyPendingWidthsLater();
  }
}

void CZQ61View::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (widthsPending_) {
    ApplyPendingWidthsLater();
  }
}

void CZQ61View::SetListStyle(int style) {
  EndNewFolderEdit();  // the editor belongs to the view going out of sight
  style_ = style & 3;
  if (style_ == kDetails) {
    stack_->setCurrentWidget(details_);
  } else {
    icons_->setWrapping(true);
    icons_->setResizeMode(QListView::Adjust);
    if (style_ == kLargeIcons) {
      icons_->setViewMode(QListView::IconMode);
      icons_->setIconSize(QSize(32, 32));
      icons_->setGridSize(QSize(96, 64));
      icons_->setFlow(QListView::LeftToRight);
    } else if (style_ == kSmallIcons) {
      icons_->setViewMode(QListView::ListMode);
      icons_->setIconSize(QSize(16, 16));
      icons_->setGridSize(QSize(150, 20));
      icons_->setFlow(QListView::LeftToRight);
    } else {
      icons_->setViewMode(QListView::ListMode);
      icons_->setIconSize(QSize(16, 16));
      icons_->setGridSize(QSize());
      icons_->setFlow(QListView::TopToBottom);
    }
    icons_->setMovement(QListView::Static);
    stack_->setCurrentWidget(icons_);
  }
}

void CZQ61View::NavigateTo(const std::string& path) {
  EndNewFolderEdit();  // in the folder it was started in
  if (!path.empty()) {
    currentPath_ = path;
  }
  if (tree_ != nullptr && !currentPath_.empty()) {
    tree_->SelectFolder(currentPath_);
  }
  RefillList();
}

int CZQ61View::RowOfName(const QString& name) const {
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (model_->Row(row).name == name) {
      return row;
    }
  }
  return -1;
}

std::vector<QString> CZQ61View::RowNames() const {
  std::vector<QString> names;
  for (const ListRow& row : model_->Rows()) {
    names.push_back(row.name);
  }
  return names;
}

QString CZQ61View::RowNameAt(int row) const {
  return row >= 0 && row < model_->rowCount() ? model_->Row(row).name : QString();
}

std::vector<int> CZQ61View::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : details_->selectionModel()->selectedRows(0)) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CZQ61View::CollectSelection() {
  EndNewFolderEdit();
  std::vector<SelectedRow> selected;
  for (int row : SelectedRows()) {
    const ListRow& cells = model_->Row(row);
    selected.push_back({cells.rawName, IsFolderRow(cells.type.toStdString())});
  }
  copyList_ = zq::CollectSelection(currentPath_, selected);
  clipboardNewer_ = false;
}

void CZQ61View::OnCopy() {
  CollectSelection();
  PutSelectionOnClipboard();
}

void CZQ61View::OnPaste() {
  if (currentPath_.empty()) {
    return;  // no folder shown yet: nowhere to paste
  }
  TakeClipboardFiles();
  context_.operations.CopyItems(copyList_, currentPath_);
}

void CZQ61View::OnRefresh() {
  WaitCursor wait(context_.ui);
  RefillList();
}

void CZQ61View::OnDelete() {
  std::vector<std::string> names;
  for (int row : SelectedRows()) {
    names.push_back(RowNameAt(row).toStdString());
  }
  if (context_.ui.AskBeforeDestroying("do you want to remove?", RemovalDetail(names)) !=
      Answer::Ok) {
    return;
  }
  WaitCursor wait(context_.ui);
  CollectSelection();
  if (!copyList_.empty()) {
    if (IsConsolePath(currentPath_)) {
      context_.operations.RemoveRemoteItems(copyList_, true);
    } else {
      context_.ui.ShowMessage("removing file or folder in PC is not allowed");
    }
    RefillList();
  }
}

void CZQ61View::FormatAndRefill() {
  if (context_.operations.FormatCardWithPrompt(true)) {
    RefillList();
  }
}

void CZQ61View::OnDoubleClick(const QModelIndex& index) {
  if (!index.isValid() || index.row() >= model_->rowCount()) {
    return;
  }
  WaitCursor wait(context_.ui);
  const QString type = model_->Row(index.row()).type;
  const std::string raw = model_->Row(index.row()).rawName;
  if (IsFolderRow(type.toStdString())) {
    if (raw == kParentName) {
      NavigateTo(ParentFolderPath(currentPath_));
    } else {
      NavigateTo(currentPath_ + raw + SeparatorOf(currentPath_));
    }
    return;
  }
  if (!IsConsolePath(currentPath_)) {
    const auto dot = raw.rfind('.');
    if (dot != std::string::npos && SameNameIgnoringCase(raw.substr(dot + 1), "ZPK") &&
        onInstallPackage) {
      onInstallPackage(currentPath_ + raw);
    }
  }
}

QMenu* CZQ61View::BuildContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const ContextMenuState state =
      ContextMenuFor(!SelectedRows().empty(), context_.isZqMode(), copyList_.empty(), style_);
  auto add = [menu](const QString& text, bool enabled, auto slot) {
    QAction* action = menu->addAction(text);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, slot);
    return action;
  };
  add("&New folder", state.newFolder, [this] { OnNewFolder(); });
  menu->addSeparator();
  add("&Copy", state.copy, [this] { OnCopy(); });
  add("&Paste", state.paste, [this] { OnPaste(); });
  add("&Delete", state.remove, [this] { OnDelete(); });
  menu->addSeparator();
  const struct {
    const char* text;
    int style;
  } styles[] = {{"Lar&ge Icon", kLargeIcons},
                {"S&mall Icons", kSmallIcons},
                {"&List", kList},
                {"&Details", kDetails}};
  for (const auto& entry : styles) {
    QAction* action = add(entry.text, true, [this, style = entry.style] {
      SetListStyle(style);
      emit listStyleChanged(style);
    });
    action->setCheckable(true);
    action->setChecked(state.checkedStyle == entry.style);
  }
  menu->addSeparator();
  QMenu* arrange = menu->addMenu("Arrange &Icons");
  // Name, Type, Size and Date are the columns 0, 2, 1 and 3.
  const struct {
    const char* text;
    int column;
  } arrangeEntries[] = {{"by &Name", 0}, {"by &Type", 2}, {"by Si&ze", 1}, {"by &Date", 3}};
  for (const auto& entry : arrangeEntries) {
    QAction* action = arrange->addAction(entry.text);
    connect(action, &QAction::triggered, this, [this, column = entry.column] {
      directions_.Toggle(column);
      SortBy(column);
    });
  }
  menu->addSeparator();
  add("&Refresh", true, [this] { OnRefresh(); });
  return menu;
}

bool CZQ61View::eventFilter(QObject* watched, QEvent* event) {
  if (HandleDesktopDrop(watched, event)) {
    return true;
  }
  if (event->type() == QEvent::KeyPress && (watched == details_ || watched == icons_) &&
      HandleListKey(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  if (event->type() == QEvent::KeyPress && (watched == details_ || watched == icons_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
      OnDelete();
      return true;
    }
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_C) {
      OnCopy();
      return true;
    }
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_V) {
      OnPaste();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zq
