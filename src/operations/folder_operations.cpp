// Creating and removing folders and files on the card, and formatting it.
#include <array>

#include "operations/device_operations.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "platform/codepage.h"

namespace zq {

namespace {
// The end of a format may take this long after the console confirmed its start.
constexpr int kFormatSeconds = 60;
constexpr std::array<const char*, 5> kStandardFolders = {"zq:\\GAME", "zq:\\MP3", "zq:\\ZQSYS",
                                                         "zq:\\ZQMM", "zq:\\ZQETC"};
}  // namespace

bool DeviceOperations::CreateRemoteFolder(const std::string& fullPath, bool hideAfterwards) {
  WaitCursor wait(ui_);
  std::string path = WithoutSeparator(fullPath, kConsoleSeparator);
  std::string parent = ParentWithSeparator(path, kConsoleSeparator);
  std::string name = LastComponent(path, kConsoleSeparator);
  ui_.SetProgressCaption(text::kCreatingCaption);
  ui_.SetAnimation(Animation::CreateFolder);
  ui_.SetProgressLine(FillText(text::kCreatingLine, Cp949ToUtf8(name)));
  ui_.ShowProgress();

  bool found = false;
  Status result = link_.EntryExists(parent, name, true, found);
  if (result != status::kOk) {
    return Fail(StatusFamily::FolderExists, result, hideAfterwards);
  }
  if (found) {
    return FailWith(text::kSameFolderExists, hideAfterwards);
  }
  result = link_.CreateFolder(path);
  if (result != status::kOk) {
    return Fail(StatusFamily::CreateCommand, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  // Only a folder the console confirmed joins the tree.
  ui_.AddFolderNode(path + kConsoleSeparator);
  return true;
}

bool DeviceOperations::RemoveRemoteFile(const std::string& fullPath, bool hideAfterwards) {
  WaitCursor wait(ui_);
  ui_.SetProgressCaption(text::kRemovingFileCaption);
  ui_.SetProgressLine(FillText(text::kRemovingFileLine, Cp949ToUtf8(fullPath)));
  ui_.SetAnimation(Animation::Remove);
  ui_.ShowProgress();
  Status result = link_.RemoveFile(fullPath);
  if (result != status::kOk) {
    return Fail(StatusFamily::Remove, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  return true;
}

bool DeviceOperations::RemoveRemoteFolder(const std::string& fullPathWithoutSeparator,
                                          bool hideAfterwards) {
  WaitCursor wait(ui_);
  std::string path = WithoutSeparator(fullPathWithoutSeparator, kConsoleSeparator);
  ui_.SetProgressCaption(text::kRemovingFolderCaption);
  ui_.SetProgressLine(FillText(text::kRemovingFolderLine, Cp949ToUtf8(path)));
  ui_.SetAnimation(Animation::Remove);
  ui_.ShowProgress();
  Status result = link_.RemoveFolder(path);
  if (result != status::kOk) {
    return Fail(StatusFamily::Remove, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  // Only a folder the console confirmed gone leaves the tree.
  ui_.RemoveFolderNode(path + kConsoleSeparator);
  return true;
}

bool DeviceOperations::RemoveRemoteItems(const std::vector<std::string>& removalList,
                                         bool hideAfterwards) {
  WaitCursor wait(ui_);
  ui_.ShowProgress();
  for (const std::string& item : removalList) {
    if (IsDotEntry(item)) {
      continue;
    }
    bool ok = EndsWith(item, kConsoleSeparator)
                  ? RemoveRemoteFolder(WithoutSeparator(item, kConsoleSeparator), false)
                  : RemoveRemoteFile(item, false);
    if (!ok) {
      HideIf(hideAfterwards);
      return false;
    }
  }
  HideIf(hideAfterwards);
  return true;
}

bool DeviceOperations::FormatCardWithPrompt(bool hideAfterwards) {
  if (ui_.Ask(text::kFormatQuestion, Buttons::YesNo, MessageIcon::Stop) != Answer::Yes) {
    return false;
  }
  WaitCursor wait(ui_);
  ui_.SetProgressCaption(text::kFormattingCaption);
  ui_.SetProgressLine(text::kFormattingLine);
  ui_.SetAnimation(Animation::Format);
  ui_.ShowProgress();
  Status result = link_.FormatCard(kFormatSeconds);
  if (result != status::kOk) {
    return Fail(StatusFamily::Format, result, hideAfterwards);
  }
  for (const char* folder : kStandardFolders) {
    CreateRemoteFolder(folder, false);  // each shows its own message
  }
  HideIf(hideAfterwards);
  return true;
}

}  // namespace zq
