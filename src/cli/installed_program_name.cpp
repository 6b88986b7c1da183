#include "cli/installed_program_name.h"

#include "packages/installed_programs.h"
#include "packages/package_paths.h"
#include "platform/codepage.h"

namespace zq::cli {

std::optional<std::string> FindInstalledProgram(DeviceOperations& device, const std::string& given,
                                                const std::string& commandName) {
  const auto names = ListInstalledPrograms(device);
  if (!names) {
    return std::nullopt;
  }
  const auto wanted = Utf8ToCp949(given);
  if (wanted) {
    for (const std::string& name : *names) {
      if (EqualsIgnoringCase(name, *wanted)) {
        return name;
      }
    }
  }
  device.Ui().ShowMessage("zq61-cli " + commandName + ": no installed program is named " + given +
                          " (see zq61-cli games)");
  return std::nullopt;
}

}  // namespace zq::cli
