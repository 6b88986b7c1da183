// Copying from the console's card to the PC. Names listed by the console are
// untrusted: none may lead a write outside the PC folder the person chose.
#include <filesystem>
#include <system_error>

#include "operations/device_operations.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "platform/codepage.h"

namespace zq {

bool DeviceOperations::DownloadFolder(const std::string& consoleFolder,
                                      const std::string& pcParent) {
  std::string folder = WithoutSeparator(consoleFolder, kConsoleSeparator);
  std::string cardName = LastComponent(folder, kConsoleSeparator);
  std::string name = Cp949ToUtf8(cardName);
  if (!IsSafeChildName(cardName) || !IsSafeChildName(name)) {
    return FailWith(
        NamedError(text::kInvalidCharInFolderName, text::kFolderNameLabel, Cp949ToUtf8(folder)),
        false);
  }
  std::filesystem::path pcFolder = std::filesystem::path(pcParent) / name;
  std::error_code error;
  if (!std::filesystem::create_directory(pcFolder, error)) {
    // Also when it exists already: a copy never merges into a PC folder.
    return FailWith(text::kFailedToCreateFolder, false);
  }

  EntryList entries;
  Status result = link_.ListFolder(entries, ConsoleFolder(folder), ListMode::Full);
  if (result != status::kOk) {
    return Fail(StatusFamily::CopyListing, result, false);
  }
  for (const RemoteEntry& entry : entries) {
    std::string shown = Cp949ToUtf8(entry.name);
    if (!IsSafeChildName(entry.name) || !IsSafeChildName(shown)) {
      continue;  // ".", ".." and names holding a separator are never followed
    }
    bool ok = true;
    if (entry.type == 0) {
      ok = DownloadFile(ConsoleChild(folder, entry.name), pcFolder.string(), shown, false);
    } else if (entry.type == 1) {
      ok = DownloadFolder(ConsoleChild(folder, entry.name), pcFolder.string());
    }
    if (!ok) {
      return false;
    }
  }
  return true;
}

bool DeviceOperations::DownloadFile(const std::string& consolePath, const std::string& pcFolder,
                                    const std::string& fileName, bool hideAfterwards) {
  WaitCursor wait(ui_);
  PrepareTransferWindow();
  if (!IsSafeChildName(fileName)) {
    return FailWith(NamedError(text::kInvalidCharInFileName, text::kFileNameLabel, fileName),
                    hideAfterwards);
  }
  Status result = link_.TransferFile(consolePath, pcFolder, fileName, Direction::ToPc,
                                     StartShowing(fileName), ProgressShowing());
  if (result != status::kOk) {
    return Fail(StatusFamily::FileTransfer, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  return true;
}

bool DeviceOperations::DownloadToMemory(const std::string& consolePath,
                                        const std::string& displayName, bool hideAfterwards,
                                        std::vector<std::uint8_t>& out) {
  WaitCursor wait(ui_);
  PrepareTransferWindow();
  Status result = link_.ReceiveFile(consolePath, displayName, out,
                                    StartShowing(Cp949ToUtf8(displayName)), ProgressShowing());
  if (result != status::kOk) {
    out.clear();
    return Fail(StatusFamily::FileTransfer, result, hideAfterwards);
  }
  HideIf(hideAfterwards);
  return true;
}

}  // namespace zq
