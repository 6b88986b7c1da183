#include "cli/udev_rule.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <ostream>

namespace zq::cli {
namespace {

constexpr const char* kReload = "udevadm control --reload";
constexpr const char* kReplay = "udevadm trigger --subsystem-match=usb --action=add";

bool IsRoot() {
  return ::geteuid() == 0;
}

bool UdevRuns() {
  std::error_code ec;
  return std::filesystem::exists("/run/udev/control", ec);
}

bool Run(const char* command) {
  const int status = std::system(command);
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Reloads udev's rules when udev runs here; says what it did.
void Reload(std::ostream& out) {
  if (!UdevRuns()) {
    out << "udev does not run here: nothing to reload\n";
  } else if (Run(kReload) && Run(kReplay)) {
    out << "udev's rules reloaded; the device is given to the person at the seat\n";
  } else {
    out << "could not reload udev's rules: run `" << kReload << "` and `" << kReplay << "`\n";
  }
}

}  // namespace

std::string UdevRuleLine(UsbId id) {
  const std::string hex = FormatUsbId(id);
  return "SUBSYSTEM==\"usb\", ENV{DEVTYPE}==\"usb_device\", ATTR{idVendor}==\"" + hex.substr(0, 4) +
         "\", ATTR{idProduct}==\"" + hex.substr(5) + "\", TAG+=\"uaccess\"";
}

std::filesystem::path UdevRuleFile(UsbId id) {
  const char* dir = std::getenv("ZQ61_UDEV_RULES_DIR");
  std::string name = FormatUsbId(id);
  name[4] = '-';
  return std::filesystem::path(dir != nullptr && *dir != '\0' ? dir : "/etc/udev/rules.d") /
         ("70-zq61-" + name + ".rules");
}

void InstallUdevRule(UsbId id, std::ostream& out) {
  const std::filesystem::path file = UdevRuleFile(id);
  if (IsRoot()) {
    std::ofstream rule(file, std::ios::trunc);
    rule << "# A console adopted with `zq61-cli usb --adopt " << FormatUsbId(id) << "`.\n"
         << UdevRuleLine(id) << "\n";
    rule.close();
    if (rule) {
      out << "installed " << file.string() << "\n";
      Reload(out);
      return;
    }
    out << "could not write " << file.string() << "\n";
  }
  out << "To open it without root, install this udev rule (as root):\n"
      << "  echo '" << UdevRuleLine(id) << "' | sudo tee " << file.string() << "\n"
      << "  sudo " << kReload << " && sudo " << kReplay << "\n";
}

void RemoveUdevRule(UsbId id, std::ostream& out) {
  const std::filesystem::path file = UdevRuleFile(id);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    return;
  }
  if (IsRoot() && std::filesystem::remove(file, ec)) {
    out << "removed " << file.string() << "\n";
    Reload(out);
    return;
  }
  out << "To remove its udev rule (as root):\n"
      << "  sudo rm " << file.string() << "\n"
      << "  sudo " << kReload << "\n";
}

}  // namespace zq::cli
