#include "app/cmain_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/logo_button.h"
#include "app/mode_dialog.h"
#include "app/rules/startup_steps.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/rules/folder_path.h"
#include "views/rules/selection_rules.h"
#include "views/view_icons.h"

namespace zq {

CMainFrame::CMainFrame(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                       QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      operations_(operations),
      settings_(settings),
      context_{ui, operations, [this] { return mode_.IsZqMode(); }, [this] { return connected_; }} {
  EnsureProgramResources();
  BuildMenus();
  ShowMenuKeys();
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

QAction* CMainFrame::Action(int id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::RunHook(const std::function<void()>& hook) {
  if (hook) {
    hook();
  }
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
  if (ui_.AskBeforeDestroying("do you want to format?", std::string(kFormatDetail)) == Answer::Ok) {
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
  programFolder_ = programFolder;
  connected_ = ConnectAtStartup(ui_, operations_, settings_, programFolder);
  // Without a console the PC's side works all the same; the card's node
  // waits, marked, until a console is connected.
  tree_->FillRoots();
  list_->InsertColumns();
  list_->SetListStyle(CZQ61View::kDetails);
  UpdateCheckMarks();
  if (!connected_) {
    ConsoleLost();
  } else {
    RunPendingFiles();
  }
  return connected_;
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
