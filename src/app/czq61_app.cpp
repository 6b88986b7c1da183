#include "app/czq61_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/cmain_frame.h"
#include "app/console_offers.h"
#include "app/console_watcher.h"
#include "app/frame_wiring.h"
#include "app/program_identity.h"
#include "app/progress_window.h"
#include "app/qt_settings.h"
#include "app/qt_user_interface.h"
#include "app/rules/startup_steps.h"
#include "link/link_session.h"
#include "operations/device_operations.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"

namespace zq {

std::string ComputeProgramFolder() {
#ifdef _WIN32
  return ProgramFolderFromModulePath(
      QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString());
#else
  // An installed program's folder is not the person's: their data folder stands for it.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return WithTrailingSeparator(folder.toStdString(), '/');
#endif
}

// The link (and with it the pipe worker) lives from here to the end of the run.
CZQ61App::CZQ61App() : link_(std::make_unique<LinkSession>()) {}

CZQ61App::~CZQ61App() {
  // The progress window belongs to the frame but is the application's own:
  // it leaves the frame before the frame goes.
  if (progress_ != nullptr) {
    progress_->setParent(nullptr);
  }
  // The window first: destroying the list disconnects from the console,
  // which needs the operations, the link and the interface still alive.
  watcher_.reset();
  frame_.reset();
  operations_.reset();
  ui_.reset();
  progress_.reset();
  link_.reset();
}

bool CZQ61App::InitInstance(bool unattended) {
  // No stand-in is needed for OLE, the three-dimensional dialog controls or
  // the platform family: Qt prepares what the window needs by itself.
  // The desktop's name and icon for every window, the first included.
  SetProgramIdentity();

  // The one progress window, created hidden; it belongs to the main window
  // as soon as that exists.
  progress_ = std::make_unique<ProgressWindow>();
  progress_->hide();

  // Settings live under "ZQ61 Program" / "ZQ61". No recent-file list is kept:
  // the program opens no documents.
  settings_ = std::make_unique<QtSettings>();

  ui_ = std::make_unique<QtUserInterface>(*progress_);
  ui_->SetUnattended(unattended);
  operations_ = std::make_unique<DeviceOperations>(*link_, *ui_);

  frame_ = std::make_unique<CMainFrame>(*ui_, *operations_, *settings_);
  ui_->SetWindow(frame_.get());
  progress_->BelongTo(frame_.get());
  CMainFrame* frame = frame_.get();
  ui_->diskText = [frame](const QString& text) { frame->SetDiskText(text); };
  ui_->navigateTo = [frame](const std::string& path) { frame->List()->NavigateTo(path); };
  ui_->addFolderNode = [frame](const std::string& path) { frame->Tree()->AddFolderNode(path); };
  ui_->removeFolderNode = [frame](const std::string& path) {
    frame->Tree()->RemoveFolderNode(path);
  };

  // Packages, patches, uninstall, backup and the MP3 basket.
  WireFrameCommands(*frame_, *ui_, *operations_, *settings_, programFolder_);

  // From the first update on, a console is connected whenever one comes,
  // and noticed when it goes.
  watcher_ = std::make_unique<ConsoleWatcher>(*frame_, *link_, ConsolePresence::FromEnvironment());
  WireConsoleOffers(*watcher_, *ui_, *settings_);

  // The list's first update runs before the window is shown: the connect
  // prompt stands alone on the screen.
  programFolder_ = ComputeProgramFolder();
  CreateProgramFolders(programFolder_);
  frame_->InitialUpdate(programFolder_);
  ProgressWindow* progress = progress_.get();
  watcher_->busy = [progress, runs = watcher_->busy] { return progress->isVisible() || runs(); };
  watcher_->Start();

  frame_->show();
  frame_->Activate();
  return true;
}

}  // namespace zq
