#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "packages/install.h"
#include "packages/package_paths.h"

namespace zq::cli {

// The window's Install command picks the installer by the file's extension,
// ignoring case; a file with neither extension installs nothing. Here the
// same choice is made, and a file with neither is wrong usage rather than a
// silent success.
int RunInstall(CommandContext& context, const Command& self,
               const std::vector<std::string>& words) {
  if (words.size() != 1) {
    return context.UsageError(self, "one package file expected");
  }
  const std::string& path = words[0];
  const std::string extension = ExtensionOf(path);
  const bool commercial = EqualsIgnoringCase(extension, "zpk");
  if (!commercial && !EqualsIgnoringCase(extension, "fpk")) {
    return context.UsageError(self, "a package file ends in .fpk or .zpk");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  const bool installed = commercial ? InstallCommercialPackage(*device, path, true)
                                    : InstallFreePackage(*device, path, true);
  return ExitFor(installed);
}

}  // namespace zq::cli
