#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "operations/user_interface.h"

namespace zq::test {

// A scripted UserInterface for tests.
//
// Every call is recorded, in order, as one readable line in Log():
//   "message: <text>"               ShowMessage (caption and icon in Calls())
//   "ask: <text>"                   Ask (answered from the script, see below)
//   "progress-show", "progress-hide"
//   "progress-caption: <text>", "progress-line: <text>", "byte-counter: <text>"
//   "progress-range: <n>", "progress-position: <n>", "animation: <kind 0..3>"
//   "wait-begin", "wait-end"
//   "disk-text: <text>"
//   "navigate: <path>", "add-folder-node: <path>", "remove-folder-node: <path>"
//   "choose-open: <title>", "choose-save: <title>", "choose-folder: <title>"
// A call without text (or with an empty one, such as NavigateTo("")) is
// recorded as its kind alone: "navigate", "progress-show".
// Calls() holds the same calls with their details (caption, icon, buttons).
// Messages() holds only the texts of ShowMessage, in order.
//
// The progress window's last state is kept in Progress(), so a test can ask
// what the window shows now (caption, line, counter, range, position,
// animation, visible), as a person would see it.
//
// Questions and choosers are answered from queues filled by the test:
//   ui.ScriptAnswer(Answer::Yes); ui.ScriptOpenFile("/tmp/x.zqt");
// An Ask or a chooser with nothing scripted fails the test (ADD_FAILURE) and
// answers the refusing default: No for Yes/No, Cancel for OK/Cancel, Ok for
// a lone OK, nullopt for a chooser.
class FakeUserInterface : public UserInterface {
 public:
  struct Call {
    std::string kind;  // "message", "ask", "progress-caption", ...
    std::string text;  // the text, number or path; empty when the call has none
    MessageIcon icon = MessageIcon::None;
    std::string caption;            // message and ask only
    Buttons buttons = Buttons::Ok;  // ask only
  };

  struct ProgressState {
    bool visible = false;
    std::string caption;
    std::string line = "Static";
    std::string byteCounter = "0 / 0 Bytes";
    std::uint32_t range = 0;
    std::uint32_t position = 0;
    std::optional<Animation> animation;
  };

  // Script.
  void ScriptAnswer(Answer answer) { answers_.push_back(answer); }
  void ScriptOpenFile(std::optional<std::string> path) { openFiles_.push_back(std::move(path)); }
  void ScriptSaveFile(std::optional<std::string> path) { saveFiles_.push_back(std::move(path)); }
  void ScriptFolder(std::optional<std::string> path) { folders_.push_back(std::move(path)); }
  // Scripted answers and choices not yet used.
  std::size_t UnusedScript() const {
    return answers_.size() + openFiles_.size() + saveFiles_.size() + folders_.size();
  }

  // Records.
  const std::vector<std::string>& Log() const { return log_; }
  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<std::string> Messages() const;
  // Log lines of one kind only, e.g. LogOf("progress-caption").
  std::vector<std::string> LogOf(const std::string& kind) const;
  const ProgressState& Progress() const { return progress_; }
  const std::string& DiskText() const { return diskText_; }
  int WaitDepth() const { return waitDepth_; }
  void ClearLog();

  // UserInterface.
  void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                   const std::string& caption = kAppTitle) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon = MessageIcon::None,
             const std::string& caption = kAppTitle) override;
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
  void Record(const std::string& kind, const std::string& text = {});
  void Record(Call call);
  std::optional<std::string> Choose(const char* kind, const std::string& title,
                                    std::deque<std::optional<std::string>>& queue);

  std::vector<std::string> log_;
  std::vector<Call> calls_;
  ProgressState progress_;
  std::string diskText_;
  int waitDepth_ = 0;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> openFiles_;
  std::deque<std::optional<std::string>> saveFiles_;
  std::deque<std::optional<std::string>> folders_;
};

}  // namespace zq::test
