#include "support/fake_user_interface.h"

#include <gtest/gtest.h>

namespace zq::test {

void FakeUserInterface::Record(const std::string& kind, const std::string& text) {
  Call call;
  call.kind = kind;
  call.text = text;
  Record(std::move(call));
}

void FakeUserInterface::Record(Call call) {
  log_.push_back(call.text.empty() ? call.kind : call.kind + ": " + call.text);
  calls_.push_back(std::move(call));
}

std::vector<std::string> FakeUserInterface::Messages() const {
  std::vector<std::string> texts;
  for (const Call& call : calls_) {
    if (call.kind == "message") {
      texts.push_back(call.text);
    }
  }
  return texts;
}

std::vector<std::string> FakeUserInterface::LogOf(const std::string& kind) const {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < calls_.size(); ++i) {
    if (calls_[i].kind == kind) {
      lines.push_back(log_[i]);
    }
  }
  return lines;
}

void FakeUserInterface::ClearLog() {
  log_.clear();
  calls_.clear();
}

void FakeUserInterface::ShowMessage(const std::string& text, MessageIcon icon,
                                    const std::string& caption) {
  Record(Call{"message", text, icon, caption, Buttons::Ok});
}

Answer FakeUserInterface::Ask(const std::string& text, Buttons buttons, MessageIcon icon,
                              const std::string& caption) {
  Record(Call{"ask", text, icon, caption, buttons});
  if (!answers_.empty()) {
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  ADD_FAILURE() << "unscripted question: " << text;
  switch (buttons) {
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::OkCancel:
      return Answer::Cancel;
    case Buttons::Ok:
      break;
  }
  return Answer::Ok;
}

void FakeUserInterface::ShowProgress() {
  progress_.visible = true;
  Record("progress-show");
}

void FakeUserInterface::HideProgress() {
  progress_.visible = false;
  Record("progress-hide");
}

void FakeUserInterface::SetProgressCaption(const std::string& text) {
  progress_.caption = text;
  Record("progress-caption", text);
}

void FakeUserInterface::SetProgressLine(const std::string& text) {
  progress_.line = text;
  Record("progress-line", text);
}

void FakeUserInterface::SetByteCounter(const std::string& text) {
  progress_.byteCounter = text;
  Record("byte-counter", text);
}

void FakeUserInterface::SetProgressRange(std::uint32_t maximum) {
  progress_.range = maximum;
  Record("progress-range", std::to_string(maximum));
}

void FakeUserInterface::SetProgressPosition(std::uint32_t position) {
  progress_.position = position;
  Record("progress-position", std::to_string(position));
}

void FakeUserInterface::SetAnimation(Animation kind) {
  progress_.animation = kind;
  Record("animation", std::to_string(static_cast<int>(kind)));
}

void FakeUserInterface::BeginWaitCursor() {
  ++waitDepth_;
  Record("wait-begin");
}

void FakeUserInterface::EndWaitCursor() {
  --waitDepth_;
  Record("wait-end");
}

void FakeUserInterface::SetDiskText(const std::string& text) {
  diskText_ = text;
  Record("disk-text", text);
}

void FakeUserInterface::NavigateTo(const std::string& path) {
  Record("navigate", path);
}

void FakeUserInterface::AddFolderNode(const std::string& consolePath) {
  Record("add-folder-node", consolePath);
}

void FakeUserInterface::RemoveFolderNode(const std::string& consolePath) {
  Record("remove-folder-node", consolePath);
}

std::optional<std::string> FakeUserInterface::Choose(
    const char* kind, const std::string& title, std::deque<std::optional<std::string>>& queue) {
  Record(kind, title);
  if (queue.empty()) {
    ADD_FAILURE() << "unscripted " << kind << ": " << title;
    return std::nullopt;
  }
  std::optional<std::string> choice = std::move(queue.front());
  queue.pop_front();
  return choice;
}

std::optional<std::string> FakeUserInterface::ChooseOpenFile(const FileDialogRequest& request) {
  return Choose("choose-open", request.title, openFiles_);
}

std::optional<std::string> FakeUserInterface::ChooseSaveFile(const FileDialogRequest& request) {
  return Choose("choose-save", request.title, saveFiles_);
}

std::optional<std::string> FakeUserInterface::ChooseFolder(const std::string& title,
                                                           const std::string& /*preselected*/) {
  return Choose("choose-folder", title, folders_);
}

}  // namespace zq::test
