#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_path.h"
#include "cli/exit_status.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"

namespace zq::cli {

int RunMkdir(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() != 1) {
    return context.UsageError(self, "one console folder expected");
  }
  const auto path = ToConsolePath(words[0]);
  if (!path) {
    return context.UsageError(
        self, "not a console folder: " + (words.empty() ? std::string() : words.back()));
  }
  const std::string fullPath = WithoutTrailingBackslash(*path);
  const std::string name = LastComponent(fullPath, kConsoleSeparator);
  if (name.empty() || name == "zq:") {
    return context.UsageError(self, "the card's root exists already");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  // The window's New folder refuses a name longer than the card holds
  // before it asks the console anything; so does mkdir.
  if (name.size() > 8) {
    context.Ui().ShowMessage(text::kTooLongFileName, MessageIcon::None, "ERROR");
    return kExitFailed;
  }
  return ExitFor(device->CreateRemoteFolder(fullPath, true));
}

}  // namespace zq::cli
