#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "operations/user_interface.h"

namespace zq::cli {

struct TerminalOptions {
  bool assumeYes = false;        // --yes: every question is answered Yes (or OK)
  bool quiet = false;            // --quiet: no progress output at all
  bool inputIsTerminal = false;  // questions are asked only on a terminal
  bool errorIsTerminal = false;  // one updating line instead of one line per file
};

// The user interface of the command-line tool. Messages go to standard
// error, one per failure, in the system's own words; questions are asked on
// the terminal; the progress window becomes a progress line; the view hooks
// do nothing; the file choosers hand back the paths given on the command line.
class TerminalUserInterface : public UserInterface {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  TerminalUserInterface(std::ostream& err, std::istream& in, TerminalOptions options,
                        Clock clock = std::chrono::steady_clock::now);
  ~TerminalUserInterface() override;

  // What the file and folder choosers answer next, in order; a chooser with
  // nothing queued answers as if the person had cancelled.
  void QueueOpenFile(std::string path) { openFiles_.push_back(std::move(path)); }
  void QueueSaveFile(std::string path) { saveFiles_.push_back(std::move(path)); }
  void QueueFolder(std::string path) { folders_.push_back(std::move(path)); }

  // The last text the operations put into the status bar.
  const std::string& DiskText() const { return diskText_; }
  int MessagesShown() const { return messagesShown_; }

  void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                   const std::string& caption = kAppTitle) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon = MessageIcon::None,
             const std::string& caption = kAppTitle) override;

  void ShowProgress() override;
  void HideProgress() override;
  void SetProgressCaption(const std::string&) override {}
  void SetProgressLine(const std::string& text) override { line_ = text; }
  void SetByteCounter(const std::string&) override {}
  void SetProgressRange(std::uint32_t maximum) override;
  void SetProgressPosition(std::uint32_t position) override;
  void SetAnimation(Animation) override {}

  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  void SetDiskText(const std::string& text) override { diskText_ = text; }

  void NavigateTo(const std::string&) override {}
  void AddFolderNode(const std::string&) override {}
  void RemoveFolderNode(const std::string&) override {}

  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& preselected) override;

 private:
  // One file moving: from the range set by the start callback to the
  // position that reaches it.
  struct Transfer {
    std::string subject;
    std::uint32_t total = 0;
    std::uint32_t done = 0;
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point drawn;
  };

  void Draw(const Transfer& transfer);
  void Finish();
  // Prints the line of a file whose data has all moved, once the operation
  // went on past it: only then has the console (or the PC) taken it whole.
  void ConfirmMoved();
  // Ends a half-drawn progress line so that the next text starts on its own line.
  void BreakLine();
  static std::optional<std::string> Take(std::deque<std::string>& queue);

  std::ostream& err_;
  std::istream& in_;
  TerminalOptions options_;
  Clock clock_;
  std::string line_;
  std::optional<Transfer> transfer_;
  std::optional<std::string> moved_;  // "NAME  N bytes" of a file not yet confirmed
  bool lineOpen_ = false;
  std::string diskText_;
  int messagesShown_ = 0;
  std::deque<std::string> openFiles_;
  std::deque<std::string> saveFiles_;
  std::deque<std::string> folders_;
};

}  // namespace zq::cli
