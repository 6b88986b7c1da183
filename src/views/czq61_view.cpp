#include "views/czq61_view.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMimeDatabase>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "operations/name_rules.h"
#include "operations/operation_texts.h"
#include "platform/codepage.h"
#include "views/czq_tree_view.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/rules/selection_rules.h"
#include "views/view_icons.h"

namespace zq {

namespace {

// The MIME type of rows dragged from the list onto the tree.
constexpr const char* kRowsMimeType = "application/x-zq61-rows";

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

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
    : QWidget(parent), context_(context), model_(new QStandardItemModel(this)) {
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
    connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { OnEditorClosed(); });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
      QMenu* menu = BuildContextMenu(this);
      menu->exec(view->viewport()->mapToGlobal(pos));
      menu->deleteLater();
    });
    view->installEventFilter(this);
  }
  connect(details_->header(), &QHeaderView::sectionClicked, this, &CZQ61View::OnHeaderClicked);
  stack_->setCurrentWidget(details_);
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
  model_->setColumnCount(4);
  model_->setHorizontalHeaderLabels({"Name", "Size", "Type", "Modified"});
  model_->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

void CZQ61View::AppendRow(const RowTexts& row, const QString& displayName, const QIcon& icon) {
  auto* name = new QStandardItem(icon, displayName);
  name->setData(QByteArray::fromStdString(row.rawName), kRawNameRole);
  name->setEditable(false);
  auto* size = new QStandardItem(Qs(row.size));
  size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* type = new QStandardItem(Qs(row.type));
  auto* modified = new QStandardItem(Qs(row.modified));
  for (QStandardItem* item : {size, type, modified}) {
    item->setEditable(false);
  }
  model_->appendRow({name, size, type, modified});
}

bool CZQ61View::RefillList() {
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
  static const QMimeDatabase mimeTypes;
  // Folders first (hidden ones included), then the files that are neither
  // hidden nor special, each in the order the file system gives them.
  const auto folders =
      folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
  for (const QFileInfo& info : folders) {
    RowTexts row{info.fileName().toStdString(),
                 {},
                 std::string(kFolderType),
                 info.lastModified().toString("yyyy-MM-dd HH:mm").toStdString(),
                 RowIcon::Platform};
    AppendRow(row, info.fileName(), icons.ForPcEntry(info));
  }
  const auto files = folder.entryInfoList(QDir::Files, QDir::Unsorted);
  for (const QFileInfo& info : files) {
    const QString type = mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    RowTexts row{info.fileName().toStdString(), SizeText(static_cast<std::uint64_t>(info.size())),
                 type.toStdString(), info.lastModified().toString("yyyy-MM-dd HH:mm").toStdString(),
                 RowIcon::Platform};
    AppendRow(row, info.fileName(), icons.ForPcEntry(info));
  }
}

void CZQ61View::NavigateTo(const std::string& path) {
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
    if (model_->item(row, 0)->text() == name) {
      return row;
    }
  }
  return -1;
}

std::vector<QString> CZQ61View::RowNames() const {
  std::vector<QString> names;
  for (int row = 0; row < model_->rowCount(); ++row) {
    names.push_back(model_->item(row, 0)->text());
  }
  return names;
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
  std::vector<SelectedRow> selected;
  for (int row : SelectedRows()) {
    const QStandardItem* name = model_->item(row, 0);
    const QStandardItem* type = model_->item(row, 2);
    selected.push_back({name->data(kRawNameRole).toByteArray().toStdString(),
                        type != nullptr && IsFolderRow(type->text().toStdString())});
  }
  copyList_ = zq::CollectSelection(currentPath_, selected);
}

void CZQ61View::OnCopy() {
  CollectSelection();
}

void CZQ61View::OnPaste() {
  if (currentPath_.empty()) {
    return;  // no folder shown yet: nowhere to paste
  }
  context_.operations.CopyItems(copyList_, currentPath_);
}

void CZQ61View::OnRefresh() {
  WaitCursor wait(context_.ui);
  RefillList();
}

void CZQ61View::OnDelete() {
  if (context_.ui.Ask("do you want to remove?", Buttons::OkCancel) != Answer::Ok) {
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
  if (!index.isValid()) {
    return;
  }
  WaitCursor wait(context_.ui);
  const int row = index.row();
  const QString type = model_->item(row, 2) ? model_->item(row, 2)->text() : QString();
  const std::string raw = model_->item(row, 0)->data(kRawNameRole).toByteArray().toStdString();
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

void CZQ61View::OnHeaderClicked(int column) {
  directions_.Toggle(column);
  SortBy(column, SortKindOfColumn(column));
}

void CZQ61View::SortBy(int column, SortKind kind) {
  if (column < 0 || column >= model_->columnCount()) {
    return;
  }
  const int sign = directions_.Ascending(column) ? 1 : -1;
  std::vector<QList<QStandardItem*>> rows;
  while (model_->rowCount() > 0) {
    rows.push_back(model_->takeRow(0));
  }
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    const std::string x = a.value(column) ? a.value(column)->text().toStdString() : std::string();
    const std::string y = b.value(column) ? b.value(column)->text().toStdString() : std::string();
    return sign * CompareRows(kind, x, y) < 0;
  });
  for (auto& row : rows) {
    model_->appendRow(row);
  }
}

void CZQ61View::OnNewFolder() {
  if (currentPath_.empty() || newFolderPending_) {
    return;
  }
  RowTexts row{std::string(kNewFolderName), {}, std::string(kFolderType), {}, RowIcon::Folder};
  AppendRow(row, Qs(row.rawName), ViewIcons::Get().Program(RowIcon::Folder));
  QStandardItem* name = model_->item(model_->rowCount() - 1, 0);
  name->setEditable(true);
  QAbstractItemView* view = ActiveView();
  view->setFocus();
  view->scrollTo(name->index());
  view->setCurrentIndex(name->index());
  newFolderPending_ = true;
  view->edit(name->index());
}

void CZQ61View::OnEditorClosed() {
  if (!newFolderPending_ || model_->rowCount() == 0) {
    return;
  }
  QStandardItem* name = model_->item(model_->rowCount() - 1, 0);
  const QString text = name->text();
  // Later edits of any row are refused: rows are not editable.
  name->setEditable(false);
  newFolderPending_ = false;
  FinishNewFolder(text);
}

void CZQ61View::RemoveLastRow() {
  if (model_->rowCount() > 0) {
    model_->removeRow(model_->rowCount() - 1);
  }
}

void CZQ61View::FinishNewFolder(const QString& text) {
  const std::string utf8 = text.toStdString();
  if (IsConsolePath(currentPath_)) {
    const auto name = StorableCardName(utf8);
    if (!name) {
      context_.ui.ShowMessage(NamedError(text::kInvalidCharInFolderName, text::kFolderNameLabel,
                                         Cp949ToUtf8(currentPath_) + utf8));
      RemoveLastRow();
      return;
    }
    if (!IsSafeChildName(*name)) {
      context_.ui.ShowMessage(std::string(kCreateFolderFailedMessage), MessageIcon::Stop,
                              std::string(kErrorCaption));
      RemoveLastRow();
      return;
    }
    std::vector<std::string> others;
    for (int row = 0; row + 1 < model_->rowCount(); ++row) {
      others.push_back(model_->item(row, 0)->data(kRawNameRole).toByteArray().toStdString());
    }
    switch (CheckNewConsoleFolder(*name, others)) {
      case NewFolderVerdict::AlreadyExists:
        context_.ui.ShowMessage(std::string(kSameFolderMessage), MessageIcon::None,
                                std::string(kErrorCaption));
        RemoveLastRow();
        return;
      case NewFolderVerdict::TooLong:
        context_.ui.ShowMessage(std::string(kTooLongMessage), MessageIcon::None,
                                std::string(kErrorCaption));
        RemoveLastRow();
        return;
      case NewFolderVerdict::Empty:
        RemoveLastRow();
        return;
      case NewFolderVerdict::Create:
        break;
    }
    context_.operations.CreateRemoteFolder(currentPath_ + *name, true);
    RefillList();
    return;
  }
  // A name that is empty or holds a separator would create nothing or a
  // folder elsewhere than the one shown.
  if (!IsSafeChildName(utf8) || !QDir().mkdir(Qs(currentPath_ + utf8))) {
    context_.ui.ShowMessage(std::string(kCreateFolderFailedMessage), MessageIcon::Stop,
                            std::string(kErrorCaption));
    RemoveLastRow();
    return;
  }
  WaitCursor wait(context_.ui);
  RefillList();
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
      SortBy(column, SortKindOfColumn(column));
    });
  }
  menu->addSeparator();
  add("&Refresh", true, [this] { OnRefresh(); });
  return menu;
}

bool CZQ61View::eventFilter(QObject* watched, QEvent* event) {
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

void CZQ61View::StartDrag() {
  const auto rows = SelectedRows();
  if (rows.empty()) {
    return;
  }
  auto* drag = new QDrag(this);
  auto* payload = new QMimeData;
  payload->setData(kRowsMimeType, QByteArray::number(static_cast<int>(rows.size())));
  drag->setMimeData(payload);
  if (rows.size() == 1) {
    drag->setPixmap(model_->item(rows.front(), 0)->icon().pixmap(32, 32));
    drag->setHotSpot(QPoint(8, 8));
  } else {
    drag->setPixmap(ViewIcons::Get().Multiple().pixmap(32, 32));
    drag->setHotSpot(QPoint(16, 16));
  }
  drag->exec(Qt::CopyAction);
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
