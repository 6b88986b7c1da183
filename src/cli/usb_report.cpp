#include "cli/usb_report.h"

#include <cstdio>

namespace zq::cli {
namespace {

const char* const kRuleAdvice =
    "copy res/udev/70-zq61.rules (installed: /usr/lib/udev/rules.d/70-zq61.rules) into\n"
    "/etc/udev/rules.d/, run `sudo udevadm control --reload` and plug the console in again";

std::string Opens(const UsbCandidate& c) {
  switch (c.access) {
    case UsbCandidate::Access::kOpens:
      return c.detail.empty() ? "yes" : "yes (" + c.detail + ")";
    case UsbCandidate::Access::kNoPermission:
    case UsbCandidate::Access::kBusy:
    case UsbCandidate::Access::kFailed:
      break;
  }
  return "no: " + c.detail;
}

}  // namespace

std::string UsbCandidateTable(const std::vector<UsbCandidate>& candidates) {
  if (candidates.empty()) {
    return "no USB device that could be a console (a listed ID, or a vendor-specific interface\n"
           "with a bulk IN and a bulk OUT endpoint)\n";
  }
  std::string text = "BUS  PORT      ID         LISTED     PRODUCT                         OPENS\n";
  bool unlisted = false;
  bool denied = false;
  for (const UsbCandidate& c : candidates) {
    char row[160];
    std::snprintf(row, sizeof row, "%03u  %-8s  %s  %-9s  %-30s  ", unsigned{c.bus}, c.port.c_str(),
                  FormatUsbId(c.id).c_str(), c.listed ? "yes" : "candidate",
                  c.product.empty() ? "-" : c.product.c_str());
    text += row + Opens(c) + "\n";
    unlisted = unlisted || !c.listed;
    denied = denied || (c.listed && c.access == UsbCandidate::Access::kNoPermission);
  }
  if (unlisted) {
    text +=
        "\nA candidate is never written to until its ID is adopted: `zq61-cli usb --adopt\n"
        "vvvv:pppp` (as root it installs its udev rule too); ZQ61_USB_IDS=vvvv:pppp[,...]\n"
        "names it for one run.\n";
  }
  if (denied) {
    text += std::string("\nTo open a listed device without root, ") + kRuleAdvice + ".\n";
  }
  return text;
}

std::string UsbPermissionHint(const std::vector<std::string>& devices) {
  std::string names;
  for (const std::string& name : devices) {
    names += (names.empty() ? "" : ", ") + name;
  }
  return "zq61-cli: " + names + (devices.size() == 1 ? " is a console" : " are consoles") +
         " this user may not open: " + kRuleAdvice + " (`zq61-cli usb` lists the devices).\n";
}

}  // namespace zq::cli
