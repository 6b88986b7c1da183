#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"

namespace zq::cli {

int RunDf(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (!words.empty()) {
    return context.UsageError(self, "no arguments expected");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  if (!device->ShowDiskInfo(total, used, free)) {
    return kExitFailed;
  }
  context.Out() << "total " << total << " bytes  used " << used << " bytes  free " << free
                << " bytes\n"
                << context.Ui().DiskText() << '\n';
  return kExitSuccess;
}

}  // namespace zq::cli
