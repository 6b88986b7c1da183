#pragma once

#include <memory>
#include <string>

namespace zq {

class CMainFrame;
class ConsoleWatcher;
class DeviceOperations;
class LinkSession;
class ProgressWindow;
class QtSettings;
class QtUserInterface;

// The application object: builds everything in start-up order, owns the
// process-wide objects (the link, the progress window, the settings) and
// takes them down again in the right order at exit.
class CZQ61App {
 public:
  CZQ61App();
  ~CZQ61App();

  // The start-up sequence; false ends the program before any window shows.
  bool InitInstance(bool unattended);

  CMainFrame* Frame() const { return frame_.get(); }
  ProgressWindow* Progress() const { return progress_.get(); }
  const std::string& ProgramFolder() const { return programFolder_; }

 private:
  std::unique_ptr<QtSettings> settings_;
  std::unique_ptr<ProgressWindow> progress_;
  std::unique_ptr<LinkSession> link_;
  std::unique_ptr<QtUserInterface> ui_;
  std::unique_ptr<DeviceOperations> operations_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<ConsoleWatcher> watcher_;
  std::string programFolder_;
};

// The program folder: the executable's folder on Windows; elsewhere the
// application's writable data folder, with a trailing separator.
std::string ComputeProgramFolder();

}  // namespace zq
