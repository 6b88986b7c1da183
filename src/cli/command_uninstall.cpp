#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/installed_program_name.h"
#include "packages/uninstall.h"

namespace zq::cli {

// As OK in the window's uninstall dialog: the question (or --yes), then the
// program's executable and data folder are removed.
int RunUninstall(CommandContext& context, const Command& self,
                 const std::vector<std::string>& words) {
  if (words.size() != 1) {
    return context.UsageError(self, "one program name expected (see zq61-cli games)");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  const auto name = FindInstalledProgram(*device, words[0], "uninstall");
  if (!name) {
    return kExitFailed;
  }
  return ExitFor(UninstallSelected(*device, *name));
}

}  // namespace zq::cli
