#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_path.h"
#include "cli/exit_status.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"

namespace zq::cli {

int RunRm(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.empty()) {
    return context.UsageError(self, "at least one console path expected");
  }
  std::vector<std::string> removalList;
  for (const std::string& word : words) {
    const auto path = ToConsolePath(word);
    if (!path) {
      return context.UsageError(self, "not a console path: " + word);
    }
    if (WithoutTrailingBackslash(*path) == "zq:\\") {
      return context.UsageError(self, "the card's root cannot be removed (see format)");
    }
    removalList.push_back(*path);
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  return ExitFor(device->RemoveRemoteItems(removalList, true));
}

}  // namespace zq::cli
