// The 8.3 checks of a selection, made before anything is written to the card.
#include <filesystem>

#include "operations/device_operations.h"
#include "operations/name_rules.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "operations/pc_folder.h"
#include "platform/codepage.h"

namespace zq {

bool DeviceOperations::CheckFileName(const std::string& pcFileName) {
  auto cardName = StorableCardName(pcFileName);
  const char* fault = cardName ? FileNameFault(*cardName) : text::kInvalidCharInFileName;
  if (fault != nullptr) {
    ui_.ShowMessage(NamedError(fault, text::kFileNameLabel, pcFileName));
    return false;
  }
  return true;
}

bool DeviceOperations::CheckFolderNames(const std::string& pcFolderPath) {
  std::string folder = WithoutSeparator(pcFolderPath, kPcSeparator);
  auto cardName = StorableCardName(LastComponent(folder, kPcSeparator));
  const char* fault = cardName ? FolderNameFault(*cardName) : text::kInvalidCharInFolderName;
  if (fault != nullptr) {
    ui_.ShowMessage(NamedError(fault, text::kFolderNameLabel, folder));
    return false;
  }
  // A folder that cannot be read is caught by the space estimate before this.
  auto entries = ListPcFolder(folder);
  if (!entries) {
    return true;
  }
  for (const PcEntry& entry : *entries) {
    bool ok = entry.isFolder
                  ? CheckFolderNames((std::filesystem::path(folder) / entry.name).string())
                  : CheckFileName(entry.name);
    if (!ok) {
      return false;
    }
  }
  return true;
}

}  // namespace zq
