#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "packages/installed_programs.h"
#include "platform/codepage.h"

namespace zq::cli {

// One name per line, sorted as the dialog's list box sorts them.
int RunGames(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (!words.empty()) {
    return context.UsageError(self, "no arguments expected");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  auto names = ListInstalledPrograms(*device);
  if (!names) {
    return kExitFailed;
  }
  for (const std::string& name : InListOrder(*names)) {
    context.Out() << Cp949ToUtf8(name) << '\n';
  }
  return kExitSuccess;
}

}  // namespace zq::cli
