// Paste: the clipboard's items copied into the folder shown, in either direction.
#include <filesystem>

#include "operations/device_operations.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "operations/pc_folder.h"
#include "platform/codepage.h"

namespace zq {

bool DeviceOperations::CopyItems(const std::vector<std::string>& copyList,
                                 const std::string& target) {
  if (copyList.empty()) {
    return true;
  }
  bool fromConsole = IsConsolePath(copyList.front());
  bool toConsole = IsConsolePath(target);
  if (fromConsole == toConsole) {
    ui_.ShowMessage(text::kSameSideCopy);
    return false;
  }
  {
    WaitCursor wait(ui_);
    if (toConsole) {
      UploadItems(copyList, target, true);
    } else {
      DownloadItems(copyList, target, true);
    }
  }
  // Whatever was copied before a failure is on its side now: show it.
  ui_.NavigateTo({});
  return true;
}

bool DeviceOperations::UploadItems(const std::vector<std::string>& copyList,
                                   const std::string& consoleTarget, bool hideAfterwards) {
  ui_.ShowProgress();
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  if (!ReadDiskInfo(total, used, free)) {
    HideIf(hideAfterwards);
    return false;
  }

  // Space, before anything is written.
  std::uint64_t needed = 0;
  bool unreadable = false;
  for (const std::string& item : copyList) {
    auto bytes = EstimateCardBytes(std::filesystem::path(WithoutSeparator(item, kPcSeparator)));
    if (!bytes) {
      ui_.ShowMessage(text::kFailedToOpenFile);
      unreadable = true;
      break;
    }
    needed += *bytes;
  }
  if (unreadable || free < needed) {
    return FailWith(text::kInsufficientSpace, hideAfterwards);
  }

  // Names, before anything is written.
  for (const std::string& item : copyList) {
    bool ok = EndsWith(item, kPcSeparator) ? CheckFolderNames(WithoutSeparator(item, kPcSeparator))
                                           : CheckFileName(LastComponent(item, kPcSeparator));
    if (!ok) {
      HideIf(hideAfterwards);
      return false;
    }
  }

  std::string folder = WithoutSeparator(consoleTarget, kConsoleSeparator);
  for (const std::string& item : copyList) {
    bool ok =
        EndsWith(item, kPcSeparator) ? UploadFolder(item, folder) : UploadFile(item, folder, false);
    if (!ok) {
      HideIf(hideAfterwards);
      return false;
    }
  }
  HideIf(hideAfterwards);
  return true;
}

bool DeviceOperations::DownloadItems(const std::vector<std::string>& copyList,
                                     const std::string& pcTarget, bool hideAfterwards) {
  ui_.ShowProgress();
  for (const std::string& item : copyList) {
    if (IsDotEntry(item)) {
      continue;  // the "." and ".." of a listing are not items of their own
    }
    bool ok = true;
    if (EndsWith(item, kConsoleSeparator)) {
      ok = DownloadFolder(WithoutSeparator(item, kConsoleSeparator), pcTarget);
    } else if (const auto name = PcNameOf(LastComponent(item, kConsoleSeparator))) {
      ok = DownloadFile(item, pcTarget, *name, false);
    } else {
      ui_.ShowMessage(
          NamedError(text::kInvalidCharInFileName, text::kFileNameLabel, Cp949ToUtf8(item)));
      ok = false;
    }
    if (!ok) {
      HideIf(hideAfterwards);
      return false;
    }
  }
  HideIf(hideAfterwards);
  return true;
}

}  // namespace zq
