#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "platform/usb/usb_ids.h"

namespace zq::cli {

// The udev rule that lets the person at the seat open a USB console with
// the ID `id`, as the project's own rule does for the emulator's gadget.
std::string UdevRuleLine(UsbId id);

// Where `--adopt` puts the rule of an adopted ID: 70-zq61-vvvv-pppp.rules
// in /etc/udev/rules.d (ZQ61_UDEV_RULES_DIR names another folder), next to
// the project's 70-zq61.rules and before the seat's rules that read the tag.
std::filesystem::path UdevRuleFile(UsbId id);

// As root: writes (or removes) the rule file and, when udev runs, reloads
// the rules and replays the USB devices' "add" events. Otherwise, or when
// that fails, prints the rule and the commands that install (or remove) it.
void InstallUdevRule(UsbId id, std::ostream& out);
void RemoveUdevRule(UsbId id, std::ostream& out);

}  // namespace zq::cli
