#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/pc_path.h"
#include "operations/operation_texts.h"
#include "operations/status_messages.h"
#include "packages/patch.h"

namespace zq::cli {

int RunPatch(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() != 2) {
    return context.UsageError(self, "one patch file and one backup folder expected");
  }
  // The window's folder chooser only offers folders that exist.
  const auto backupFolder = ExistingPcFolder(words[1]);
  if (!backupFolder) {
    context.Ui().ShowMessage(NamedError(text::kFailedToOpenFile, text::kFolderNameLabel, words[1]));
    return kExitFailed;
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  return ExitFor(
      ApplyPatch(*device, words[0], std::filesystem::path(*backupFolder).parent_path(), true));
}

}  // namespace zq::cli
