#pragma once

#include <QMainWindow>
#include <deque>
#include <map>
#include <string>

#include "app/frame_commands.h"
#include "app/rules/mode_flag.h"
#include "operations/settings.h"
#include "views/explorer_context.h"

class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;

namespace zq {

class CLogoButton;
class CZQ61View;
class CZQTreeView;

// The program's window: menus, the flat toolbar, the status bar with its five
// panes, the logo, and the splitter with the folder tree left and the file
// list right. It owns the connected flag and the mode flag.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Command ids, as the menus and the toolbar know them.
  enum Command {
    kNewFolder = 32800,
    kDelete = 32801,
    kFormat = 32816,
    kInstall = 32837,
    kUninstall = 32833,
    kBackUp = 32834,
    kPatch = 32838,
    kProperties = 32803,
    kClose = 57665,
    kCopy = 32805,
    kPaste = 32806,
    kToolbars = 59392,
    kStatusBar = 59393,
    kLargeIcons = 32808,
    kSmallIcons = 32809,
    kList = 32810,
    kDetails = 32811,
    kByName = 32827,
    kByType = 32828,
    kBySize = 32829,
    kByDate = 32830,
    kRefresh = 32819,
    kMode = 32817,
    kMp3Basket = 32832,
    kAbout = 57664,
    kMoveUp = 32791,
    kToolCopy = 32792,
    kToolPaste = 32793,
    kToolDelete = 32794,
    kToolRefresh = 32795,
    kToolView = 32814,
    kToolNew = 32815,
    kDropLargeIcons = 32796,
    kDropSmallIcons = 32797,
    kDropList = 32798,
    kDropDetails = 32799
  };

  CMainFrame(UserInterface& ui, DeviceOperations& operations, Settings& settings,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  // The list's first update: the connect prompt, the connection and, when
  // it succeeded, the disk text, the settings, the tree's two roots and the
  // list's columns. False leaves both views empty.
  bool InitialUpdate(const std::string& programFolder);

  // Reads the mode flag at the first activation only.
  void Activate();
  // What "&Mode" does after its dialog closed, however it closed.
  void AfterModeDialog();

  void MoveUp();
  void SetStyleAndCheck(int style);
  void Arrange(int column);
  void OnFormat();
  void OnMode();

  QAction* Action(int id) const;
  QMenu* ViewDropDownMenu();
  CZQ61View* List() const { return list_; }
  CZQTreeView* Tree() const { return tree_; }
  CLogoButton* Logo() const { return logo_; }
  QToolBar* ToolBar() const { return toolbar_; }
  QLabel* DiskPane() const { return diskPane_; }
  FrameCommands& Commands() { return commands_; }
  ModeFlag& Mode() { return mode_; }
  bool IsConnected() const { return connected_; }
  void SetDiskText(const QString& text);

  // A package or patch file given by the desktop (`zq61 FILE`, or handed
  // over by a second start): opened with FrameCommands::onOpenFile once the
  // console is connected, one file at a time, never inside another dialog.
  void OpenWhenConnected(const std::string& path);
  // Runs what waits, when connected: after a successful connect, and at
  // start when connected already. The connect paths call it.
  void RunPendingFiles();
  // Brings the window to the front (a second start handed a file over).
  void BringToFront();
  const std::deque<std::string>& PendingFiles() const { return pendingFiles_; }

  // The console went away (or stopped answering): the status bar says so and
  // drops the sizes, and the card's views show that it cannot be reached.
  void ConsoleLost();
  // A console was connected after start-up: what start-up does once it has
  // one (sizes, settings, the card's node), and the list shown again at its
  // console folder, or at zq:\ when that folder is gone.
  void ConsoleFound();
  QLabel* StatePane() const { return statePane_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt = {});
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void UpdateCheckMarks();
  void UpdateBarChecks();
  void UpdateLockKeys(quint32 nativeModifiers);
  void RunHook(const std::function<void()>& hook);
  // The keys the menus show: the list's own keys (bound in the list only)
  // and Ctrl+Q, which closes the window from anywhere in it.
  void ShowMenuKeys();

  UserInterface& ui_;
  DeviceOperations& operations_;
  Settings& settings_;
  ExplorerContext context_;
  FrameCommands commands_;
  ModeFlag mode_;
  bool connected_ = false;
  std::string programFolder_;

  QSplitter* splitter_ = nullptr;
  CZQTreeView* tree_ = nullptr;
  CZQ61View* list_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QToolButton* viewButton_ = nullptr;
  QMenu* viewDropDown_ = nullptr;
  CLogoButton* logo_ = nullptr;
  QLabel* statePane_ = nullptr;
  QLabel* diskPane_ = nullptr;
  QLabel* capPane_ = nullptr;
  QLabel* numPane_ = nullptr;
  QLabel* scrlPane_ = nullptr;
  std::map<int, QAction*> actions_;
  std::deque<std::string> pendingFiles_;
  bool openingFile_ = false;
};

}  // namespace zq
