// Copying from the PC to the console's card.
#include <filesystem>

#include "operations/device_operations.h"
#include "operations/name_rules.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "operations/pc_folder.h"
#include "platform/codepage.h"

namespace zq {

bool DeviceOperations::UploadFolder(const std::string& pcFolder, const std::string& consoleParent) {
  ui_.SetAnimation(Animation::Transfer);
  ui_.ShowProgress();
  std::string folder = WithoutSeparator(pcFolder, kPcSeparator);
  std::string name = LastComponent(folder, kPcSeparator);
  auto cardName = StorableCardName(name);
  if (!cardName) {
    return FailWith(NamedError(text::kInvalidCharInFolderName, text::kFolderNameLabel, folder),
                    false);
  }
  std::string consoleFolder = ConsoleChild(consoleParent, *cardName);
  if (!CreateRemoteFolder(consoleFolder, false)) {
    return false;
  }
  auto entries = ListPcFolder(folder);
  if (!entries) {
    return FailWith(text::kFailedToOpenFile, false);
  }
  for (const PcEntry& entry : *entries) {
    std::string path = (std::filesystem::path(folder) / entry.name).string();
    bool ok =
        entry.isFolder ? UploadFolder(path, consoleFolder) : UploadFile(path, consoleFolder, false);
    if (!ok) {
      return false;
    }
  }
  return true;
}

bool DeviceOperations::UploadFile(const std::string& pcPath, const std::string& consoleFolder,
                                  bool hideAfterwards) {
  WaitCursor wait(ui_);
  PrepareTransferWindow();
  std::string name = LastComponent(pcPath, kPcSeparator);
  auto cardName = StorableCardName(name);
  if (!cardName) {
    return FailWith(NamedError(text::kInvalidCharInFileName, text::kFileNameLabel, name),
                    hideAfterwards);
  }
  if (BaseNameTooLong(*cardName)) {
    return FailWith(text::kTooLongFileName, hideAfterwards);
  }
  Status result = link_.TransferFile(pcPath, ConsoleFolder(consoleFolder), *cardName,
                                     Direction::ToConsole, StartShowing(name), ProgressShowing());
  NotePcFailure(result, pcPath);
  if (result != status::kOk) {
    return Fail(StatusFamily::FileTransfer, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  return true;
}

bool DeviceOperations::UploadBuffer(std::span<const std::uint8_t> bytes,
                                    const std::string& consoleFolder, const std::string& fileName,
                                    bool hideAfterwards) {
  WaitCursor wait(ui_);
  PrepareTransferWindow();
  Status result = link_.SendFile(bytes, ConsoleFolder(consoleFolder), fileName,
                                 StartShowing(Cp949ToUtf8(fileName)), ProgressShowing());
  if (result != status::kOk) {
    return Fail(StatusFamily::FileTransfer, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  return true;
}

}  // namespace zq
