#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/installed_program_name.h"
#include "cli/pc_path.h"
#include "operations/operation_texts.h"
#include "operations/status_messages.h"
#include "packages/uninstall.h"

namespace zq::cli {

// As OK in the window's backup dialog: the folder chooser answers with the
// PC folder given, then the program's executable and data folder are copied
// into it.
int RunBackup(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() != 2) {
    return context.UsageError(self, "one program name and one PC folder expected");
  }
  const auto folder = ExistingPcFolder(words[1]);
  if (!folder) {
    context.Ui().ShowMessage(NamedError(text::kFailedToOpenFile, text::kFolderNameLabel, words[1]));
    return kExitFailed;
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  const auto name = FindInstalledProgram(*device, words[0], "backup");
  if (!name) {
    return kExitFailed;
  }
  context.Ui().QueueFolder(std::filesystem::path(*folder).parent_path().string());
  return ExitFor(BackUpSelected(*device, *name, context.ProgramFolder()));
}

}  // namespace zq::cli
