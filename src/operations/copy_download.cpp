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
  const auto name = PcNameOf(LastComponent(folder, kConsoleSeparator));
  if (!name) {
    return FailWith(
        NamedError(text::kInvalidCharInFolderName, text::kFolderNameLabel, Cp949ToUtf8(folder)),
        false);
  }
  std::filesystem::path pcFolder = std::filesystem::path(pcParent) / *name;
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
    if (entry.name == "." || entry.name == "..") {
      continue;  // a folder's links to itself and its parent are not its content
    }
    const std::string child = ConsoleChild(folder, entry.name);
    const auto shown = PcNameOf(entry.name);
    bool ok = true;
    if (entry.type == 0) {
      // A name that cannot be a PC file of its own stops the copy: skipping
      // it would report a copy with a file missing as done.
      ok = shown ? DownloadFile(child, pcFolder.string(), *shown, false)
                 : FailWith(NamedError(text::kInvalidCharInFileName, text::kFileNameLabel,
                                       Cp949ToUtf8(child)),
                            false);
    } else if (entry.type == 1) {
      ok = DownloadFolder(child, pcFolder.string());
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
  NotePcFailure(result, (std::filesystem::path(pcFolder) / fileName).string());
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
