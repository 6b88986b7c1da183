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

int RunPut(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() < 2) {
    return context.UsageError(self, "PC files or folders and one console folder expected");
  }
  const auto target = ToConsoleFolder(words.back());
  if (!target) {
    return context.UsageError(
        self, "not a console folder: " + (words.empty() ? std::string() : words.back()));
  }
  std::vector<std::string> copyList;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    const auto item = ExistingPcItem(words[i]);
    if (!item) {
      context.Ui().ShowMessage(NamedError(text::kFailedToOpenFile, text::kFileNameLabel, words[i]));
      return kExitFailed;
    }
    copyList.push_back(*item);
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  return context.TransferExit(device->UploadItems(copyList, *target, true));
}

}  // namespace zq::cli
