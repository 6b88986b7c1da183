#include "app/cmain_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/about_box.h"
#include "app/logo_button.h"
#include "app/mode_dialog.h"
#include "app/rules/startup_steps.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/rules/folder_path.h"
#include "views/view_icons.h"

namespace zq {

namespace {

// The toolbar's buttons: command, picture and the text under it.
struct ToolButton {
  int id;
  const char* image;
  const char* text;
};

constexpr ToolButton kToolButtons[] = {{CMainFrame::kMoveUp, "move_up", "move up"},
                                       {0, nullptr, nullptr},
                                       {CMainFrame::kToolCopy, "copy", "copy"},
                                       {CMainFrame::kToolPaste, "paste", "paste"},
                                       {0, nullptr, nullptr},
                                       {CMainFrame::kToolDelete, "delete", "delete"},
                                       {CMainFrame::kToolRefresh, "refresh", "refresh"},
                                       {CMainFrame::kToolView, "view", "view"},
                                       {CMainFrame::kToolNew, "new", "new"}};

}  // namespace

CMainFrame::CMainFrame(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                       QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      operations_(operations),
      settings_(settings),
      context_{ui, operations, [this] { return mode_.IsZqMode(); }, [this] { return connected_; }} {
  EnsureProgramResources();
  setWindowIcon(QIcon(":/zq61/icons/zq61.svg"));
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();

  splitter_ = new QSplitter(Qt::Horizontal, this);
  tree_ = new CZQTreeView(context_, splitter_);
  list_ = new CZQ61View(context_, splitter_);
  tree_->SetListView(list_);
  list_->SetTreeView(tree_);
  splitter_->addWidget(tree_);
  splitter_->addWidget(list_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({200, 600});
  setCentralWidget(splitter_);
  list_->onInstallPackage = [this](const std::string& path) {
    if (commands_.onInstallPackage) {
      commands_.onInstallPackage(path);
    }
  };
  connect(list_, &CZQ61View::listStyleChanged, this, [this] { UpdateCheckMarks(); });

  logo_ = new CLogoButton(this);
  connect(logo_, &CLogoButton::statusText, this, [this](const QString& text) {
    if (text.isEmpty()) {
      statusBar()->clearMessage();
    } else {
      statusBar()->showMessage(text);
    }
  });

  UpdateCheckMarks();
  // The title stays exactly this, whatever else the window holds.
  setWindowTitle("ZQ61 PC-Link Host 1.3");
  resize(900, 600);
  // Every event passes the frame's filter: the lock keys, and the bars'
  // showing and hiding, which their View items follow.
  qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt) {
  auto* action = new QAction(text, this);
  if (!prompt.isEmpty()) {
    action->setStatusTip(prompt.section('\n', 0, 0));
    action->setToolTip(prompt.contains('\n') ? prompt.section('\n', 1) : prompt);
  }
  if (menu != nullptr) {
    menu->addAction(action);
  }
  actions_[id] = action;
  return action;
}

QAction* CMainFrame::Action(int id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::RunHook(const std::function<void()>& hook) {
  if (hook) {
    hook();
  }
}

void CMainFrame::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  connect(AddCommand(file, kNewFolder, "&New Folder", "create empty folder\ncreate folder"),
          &QAction::triggered, this, [this] { list_->OnNewFolder(); });
  connect(AddCommand(file, kDelete, "&Delete", "delete file or folder\ndelete"),
          &QAction::triggered, this, [this] { list_->OnDelete(); });
  connect(AddCommand(file, kFormat, "&Format"), &QAction::triggered, this, &CMainFrame::OnFormat);
  file->addSeparator();
  connect(AddCommand(file, kInstall, "&Install"), &QAction::triggered, this,
          [this] { RunHook(commands_.onInstall); });
  connect(AddCommand(file, kUninstall, "&Uninstall"), &QAction::triggered, this,
          [this] { RunHook(commands_.onUninstall); });
  connect(AddCommand(file, kBackUp, "&Back Up"), &QAction::triggered, this,
          [this] { RunHook(commands_.onBackUp); });
  connect(AddCommand(file, kPatch, "&Patch"), &QAction::triggered, this,
          [this] { RunHook(commands_.onPatch); });
  file->addSeparator();
  connect(AddCommand(file, kProperties, "P&roperties", "show information\nshow info"),
          &QAction::triggered, this, [this] { operations_.ShowDiskInfo(); });
  file->addSeparator();
  connect(AddCommand(file, kClose, "&Close", "terminate application\nexit"), &QAction::triggered,
          this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("&Edit");
  connect(AddCommand(edit, kCopy, "&Copy", "copy selected item into clipboard\ncopy"),
          &QAction::triggered, this, [this] { list_->OnCopy(); });
  connect(AddCommand(edit, kPaste, "&Paste"), &QAction::triggered, this,
          [this] { list_->OnPaste(); });

  QMenu* view = menuBar()->addMenu("&View");
  QAction* toolbars =
      AddCommand(view, kToolbars, "&Toolbars", "show or hide toolbar\nshow/hide toolbar");
  toolbars->setCheckable(true);
  toolbars->setChecked(true);
  connect(toolbars, &QAction::toggled, this, [this](bool on) { toolbar_->setVisible(on); });
  QAction* statusBarItem =
      AddCommand(view, kStatusBar, "Status &Bar", "show or hide statusbar\nshow/hide statusbar");
  statusBarItem->setCheckable(true);
  statusBarItem->setChecked(true);
  connect(statusBarItem, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  view->addSeparator();
  const struct {
    int id;
    const char* text;
    int style;
  } styles[] = {{kLargeIcons, "Lar&ge Icons", CZQ61View::kLargeIcons},
                {kSmallIcons, "S&mall Icons", CZQ61View::kSmallIcons},
                {kList, "&List", CZQ61View::kList},
                {kDetails, "&Details", CZQ61View::kDetails}};
  for (const auto& entry : styles) {
    QAction* action = AddCommand(view, entry.id, entry.text);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this,
            [this, style = entry.style] { SetStyleAndCheck(style); });
  }
  view->addSeparator();
  QMenu* arrange = view->addMenu("Arrange &Icons");
  const struct {
    int id;
    const char* text;
    int column;
  } arrangeEntries[] = {{kByName, "by &Name", 0},
                        {kByType, "by &Type", 2},
                        {kBySize, "by Si&ze", 1},
                        {kByDate, "by &Date", 3}};
  for (const auto& entry : arrangeEntries) {
    connect(AddCommand(arrange, entry.id, entry.text), &QAction::triggered, this,
            [this, column = entry.column] { Arrange(column); });
  }
  view->addSeparator();
  connect(AddCommand(view, kRefresh, "&Refresh"), &QAction::triggered, this,
          [this] { list_->OnRefresh(); });

  QMenu* configuration = menuBar()->addMenu("&Configuration");
  connect(AddCommand(configuration, kMode, "&Mode"), &QAction::triggered, this,
          &CMainFrame::OnMode);
  QMenu* specific = menuBar()->addMenu("&ZQ61 Specific");
  connect(AddCommand(specific, kMp3Basket, "&MP3 Basket", "execute MP3 basket"),
          &QAction::triggered, this, [this] { RunHook(commands_.onMp3Basket); });
  QMenu* help = menuBar()->addMenu("&Help");
  connect(AddCommand(help, kAbout, "&About ZQ61 PC-Link Host",
                     "show application information\nshow info"),
          &QAction::triggered, this, [this] {
            AboutBox about(this);
            about.exec();
          });

  // The view button's drop-down menu.
  viewDropDown_ = new QMenu(this);
  const struct {
    int id;
    const char* text;
    int style;
  } dropEntries[] = {{kDropLargeIcons, "Lar&ge Icons", CZQ61View::kLargeIcons},
                     {kDropSmallIcons, "S&mall Icons", CZQ61View::kSmallIcons},
                     {kDropList, "&List", CZQ61View::kList},
                     {kDropDetails, "&Details", CZQ61View::kDetails}};
  for (const auto& entry : dropEntries) {
    QAction* action = AddCommand(viewDropDown_, entry.id, entry.text);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this,
            [this, style = entry.style] { SetStyleAndCheck(style); });
  }
  connect(viewDropDown_, &QMenu::aboutToShow, this, &CMainFrame::UpdateCheckMarks);
}

void CMainFrame::BuildToolBar() {
  toolbar_ = addToolBar("toolbar");
  toolbar_->setObjectName("toolbar");
  toolbar_->setMovable(true);
  toolbar_->setIconSize(QSize(20, 20));
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (const auto& button : kToolButtons) {
    if (button.id == 0) {
      toolbar_->addSeparator();
      continue;
    }
    QIcon icon;
    icon.addFile(QString(":/zq61/toolbar/%1.svg").arg(button.image), QSize(20, 20), QIcon::Normal);
    icon.addFile(QString(":/zq61/toolbar/%1_hot.svg").arg(button.image), QSize(20, 20),
                 QIcon::Active);
    QAction* action = AddCommand(nullptr, button.id, button.text);
    action->setIcon(icon);
    action->setToolTip(button.text);
    toolbar_->addAction(action);
    if (QWidget* widget = toolbar_->widgetForAction(action)) {
      widget->setMinimumSize(55, 40);
    }
  }
  connect(Action(kMoveUp), &QAction::triggered, this, &CMainFrame::MoveUp);
  connect(Action(kToolCopy), &QAction::triggered, this, [this] { list_->OnCopy(); });
  connect(Action(kToolPaste), &QAction::triggered, this, [this] { list_->OnPaste(); });
  connect(Action(kToolDelete), &QAction::triggered, this, [this] { list_->OnDelete(); });
  connect(Action(kToolRefresh), &QAction::triggered, this, [this] { list_->OnRefresh(); });
  connect(Action(kToolNew), &QAction::triggered, this, [this] { list_->OnNewFolder(); });
  // The "view" button does nothing itself; its arrow opens the four styles.
  Action(kToolView)->setMenu(viewDropDown_);
  viewButton_ = qobject_cast<QToolButton*>(toolbar_->widgetForAction(Action(kToolView)));
  if (viewButton_ != nullptr) {
    viewButton_->setPopupMode(QToolButton::MenuButtonPopup);
  }
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->addWidget(new QLabel("ready"), 1);
  diskPane_ = new QLabel;
  diskPane_->setMinimumWidth(diskPane_->fontMetrics().horizontalAdvance(QString(24, 'M')) + 50);
  bar->addPermanentWidget(diskPane_);
  capPane_ = new QLabel("CAP");
  numPane_ = new QLabel("NUM");
  scrlPane_ = new QLabel("SCRL");
  for (QLabel* pane : {capPane_, numPane_, scrlPane_}) {
    pane->setEnabled(false);  // unlit until the platform tells the key's state
    bar->addPermanentWidget(pane);
  }
}

QMenu* CMainFrame::ViewDropDownMenu() {
  UpdateCheckMarks();
  return viewDropDown_;
}

void CMainFrame::SetDiskText(const QString& text) {
  diskPane_->setText(text);
}

void CMainFrame::UpdateCheckMarks() {
  const int style = list_ != nullptr ? list_->GetListStyle() : CZQ61View::kDetails;
  const std::pair<int, int> menuItems[] = {
      {kLargeIcons, CZQ61View::kLargeIcons},     {kDetails, CZQ61View::kDetails},
      {kSmallIcons, CZQ61View::kSmallIcons},     {kList, CZQ61View::kList},
      {kDropLargeIcons, CZQ61View::kLargeIcons}, {kDropDetails, CZQ61View::kDetails},
      {kDropSmallIcons, CZQ61View::kSmallIcons}, {kDropList, CZQ61View::kList}};
  for (const auto& [id, itemStyle] : menuItems) {
    Action(id)->setChecked(itemStyle == style);
  }
}

void CMainFrame::SetStyleAndCheck(int style) {
  list_->SetListStyle(style);
  UpdateCheckMarks();
}

void CMainFrame::Arrange(int column) {
  // Each entry sorts the column its label names, by that column's kind.
  if (column < 0 || column > 3) {
    return;
  }
  list_->ToggleSortDirection(column);
  list_->SortBy(column);
}

void CMainFrame::MoveUp() {
  const std::string& current = list_->CurrentPath();
  if (current.empty()) {
    return;  // nothing shown yet
  }
  list_->NavigateTo(ParentFolderPath(current));
}

void CMainFrame::OnFormat() {
  if (ui_.Ask("do you want to format?", Buttons::OkCancel) == Answer::Ok) {
    list_->FormatAndRefill();
  }
}

void CMainFrame::OnMode() {
  ModeDialog dialog(mode_, this);
  dialog.exec();
  AfterModeDialog();
}

void CMainFrame::AfterModeDialog() {
  if (!RefreshAfterModeDialog(mode_.IsZqMode(), list_->CurrentPath())) {
    return;
  }
  list_->RefillList();
  tree_->CollapseConsoleNode();
  tree_->SelectFolder(list_->CurrentPath());
}

bool CMainFrame::InitialUpdate(const std::string& programFolder) {
  if (!ConnectAtStartup(ui_, operations_, settings_, programFolder)) {
    connected_ = false;
    return false;
  }
  connected_ = true;
  tree_->FillRoots();
  list_->InsertColumns();
  list_->SetListStyle(CZQ61View::kDetails);
  UpdateCheckMarks();
  return true;
}

void CMainFrame::Activate() {
  mode_.OnActivate(settings_);
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    Activate();
  }
  return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  mode_.OnClose(settings_);
  QMainWindow::closeEvent(event);
}

void CMainFrame::UpdateLockKeys(quint32 nativeModifiers) {
  // X11 state bits: Lock is Caps Lock, Mod2 is Num Lock; Scroll Lock is not told.
  capPane_->setEnabled((nativeModifiers & 0x02U) != 0);
  numPane_->setEnabled((nativeModifiers & 0x10U) != 0);
}

void CMainFrame::UpdateBarChecks() {
  const std::pair<int, QWidget*> bars[] = {{kToolbars, toolbar_}, {kStatusBar, statusBar()}};
  for (const auto& [id, bar] : bars) {
    QAction* item = Action(id);
    const QSignalBlocker quiet(item);  // only the mark: the bar is as it is
    item->setChecked(!bar->isHidden());
  }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
      (watched == toolbar_ || watched == statusBar())) {
    UpdateBarChecks();
  }
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      QGuiApplication::platformName() == "xcb") {
    UpdateLockKeys(static_cast<QKeyEvent*>(event)->nativeModifiers());
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace zq
