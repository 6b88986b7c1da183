#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_path.h"
#include "cli/exit_status.h"
#include "cli/pc_path.h"
#include "operations/operation_texts.h"
#include "operations/status_messages.h"

namespace zq::cli {

// put and get call the upload and download halves of the window's paste
// directly: the paste itself reports success whatever the copy did, and a
// command line must know.

int RunGet(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() < 2) {
    return context.UsageError(self, "console files or folders and one PC folder expected");
  }
  const auto target = ExistingPcFolder(words.back());
  if (!target) {
    context.Ui().ShowMessage(
        NamedError(text::kFailedToOpenFile, text::kFolderNameLabel, words.back()));
    return kExitFailed;
  }
  std::vector<std::string> copyList;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    const auto item = ToConsolePath(words[i]);
    if (!item) {
      return context.UsageError(self, "not a console path: " + words[i]);
    }
    if (*item == "zq:\\") {
      return context.UsageError(self, "the card's root is not one folder to copy");
    }
    copyList.push_back(*item);
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  return context.TransferExit(device->DownloadItems(copyList, *target, true));
}

}  // namespace zq::cli
