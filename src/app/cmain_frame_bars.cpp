// The frame's menus, toolbar and status bar: every command with its text,
// prompt and tool tip, built once when the frame is made.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/about_box.h"
#include "app/cmain_frame.h"
#include "views/czq61_view.h"
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
  statePane_ = new QLabel("ready");
  bar->addWidget(statePane_, 1);
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
}  // namespace zq
