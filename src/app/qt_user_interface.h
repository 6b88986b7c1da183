#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "operations/user_interface.h"

namespace zq {

class ProgressWindow;

// The window's side of the user interface: message boxes captioned as asked,
// the progress window, the wait cursor, the status bar's disk pane, file
// choosers, and the hooks into the two views.
class QtUserInterface : public UserInterface {
 public:
  explicit QtUserInterface(ProgressWindow& progress) : progress_(progress) {}

  // The window message boxes belong to (none before the frame exists).
  void SetWindow(QWidget* window) { window_ = window; }
  // Without a person in front of the screen (the screenshot run): no box is
  // shown and every question takes its first button.
  void SetUnattended(bool unattended) { unattended_ = unattended; }

  std::function<void(const QString&)> diskText;
  std::function<void(const std::string&)> navigateTo;
  std::function<void(const std::string&)> addFolderNode;
  std::function<void(const std::string&)> removeFolderNode;
  // The informative text under a message (what the person can do about
  // it); empty for none.
  std::function<std::string(const std::string& message)> informativeText;

  void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                   const std::string& caption = kAppTitle) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon = MessageIcon::None,
             const std::string& caption = kAppTitle) override;
  Answer AskBeforeDestroying(const std::string& text, const std::string& detail) override;
  void ShowProgress() override;
  void HideProgress() override;
  void SetProgressCaption(const std::string& text) override;
  void SetProgressLine(const std::string& text) override;
  void SetByteCounter(const std::string& text) override;
  void SetProgressRange(std::uint32_t maximum) override;
  void SetProgressPosition(std::uint32_t position) override;
  void SetAnimation(Animation kind) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetDiskText(const std::string& text) override;
  void NavigateTo(const std::string& path) override;
  void AddFolderNode(const std::string& consolePath) override;
  void RemoveFolderNode(const std::string& consolePath) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& preselected) override;

 private:
  // Lets the progress window paint while the link keeps this thread busy;
  // the person's input waits until the operation ends.
  void Repaint();

  ProgressWindow& progress_;
  QPointer<QWidget> window_;
  bool unattended_ = false;
};

}  // namespace zq
