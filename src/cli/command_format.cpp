#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_path.h"
#include "cli/exit_status.h"
#include "cli/pc_path.h"
#include "operations/operation_texts.h"
#include "operations/status_messages.h"

namespace zq::cli {

int RunFormat(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (!words.empty()) {
    return context.UsageError(self, "no arguments expected");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  return ExitFor(device->FormatCardWithPrompt(true));
}

}  // namespace zq::cli
