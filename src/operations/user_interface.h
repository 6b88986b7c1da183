#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zq {

inline constexpr const char* kAppTitle = "ZQ61";

enum class MessageIcon { None, Information, Warning, Stop };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Animation kinds of the progress window.
enum class Animation { Format = 0, Transfer = 1, Remove = 2, CreateFolder = 3 };

// A file-open or file-save dialog. `filters` holds pairs of a display text
// and its patterns, e.g. {"ZQ61 patch file (*.zqt)", "*.zqt"}.
struct FileDialogRequest {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;
  std::string defaultExtension;  // without the dot
  std::string startFolder;       // PC folder (UTF-8)
  std::string proposedName;      // save dialogs only
};

// The one interface through which user-level operations speak to the person.
// The window implements it with widgets, the command-line tool with the
// terminal, and the tests with a scripted fake. Every text is UTF-8; console
// names (CP949) are converted before they are put into a message.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal message with an OK button.
  virtual void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                           const std::string& caption = kAppTitle) = 0;
  // A modal question; returns the button pressed.
  virtual Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon = MessageIcon::None,
                     const std::string& caption = kAppTitle) = 0;
  // An OK/Cancel question whose OK destroys data (removing, formatting):
  // Cancel is the answer Enter gives, and `detail` says what would be lost.
  // Where a front end has no default button this is the plain question.
  virtual Answer AskBeforeDestroying(const std::string& text, const std::string& detail) {
    (void)detail;
    return Ask(text, Buttons::OkCancel);
  }

  // The modeless progress window.
  virtual void ShowProgress() = 0;
  virtual void HideProgress() = 0;
  virtual void SetProgressCaption(const std::string& text) = 0;
  virtual void SetProgressLine(const std::string& text) = 0;
  virtual void SetByteCounter(const std::string& text) = 0;
  virtual void SetProgressRange(std::uint32_t maximum) = 0;
  virtual void SetProgressPosition(std::uint32_t position) = 0;
  virtual void SetAnimation(Animation kind) = 0;

  // The wait cursor; use the WaitCursor scope below rather than these.
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // The second pane of the status bar (the card's sizes).
  virtual void SetDiskText(const std::string& text) = 0;

  // Hooks into the views. An empty path to NavigateTo means the folder
  // shown now, read anew.
  virtual void NavigateTo(const std::string& path) = 0;
  virtual void AddFolderNode(const std::string& consolePath) = 0;
  virtual void RemoveFolderNode(const std::string& consolePath) = 0;

  // File and folder choosers; nullopt when the person cancels.
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& preselected) = 0;
};

// Shows the wait cursor for as long as it lives, then the arrow again.
class WaitCursor {
 public:
  explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
  ~WaitCursor() { ui_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace zq
