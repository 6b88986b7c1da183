#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/udev_rule.h"
#include "cli/usb_report.h"
#include "platform/usb/adopted_usb_ids.h"
#include "platform/usb/usb_listing.h"

namespace zq::cli {
namespace {

int List(CommandContext& context) {
  std::vector<std::string> rejected;
  const std::vector<UsbId> ids = ConsoleUsbIds(&rejected);
  std::ostream& out = context.Out();
  for (const std::string& entry : rejected) {
    out << "ZQ61_USB_IDS: \"" << entry << "\" is not vvvv:pppp and was left out\n";
  }
  std::string idList;
  for (const UsbId id : ids) {
    idList += (idList.empty() ? "" : ", ") + FormatUsbId(id);
  }
  out << "console IDs: " << idList << "\n";
  std::string error;
  const auto candidates = ListUsbCandidates(ids, error);
  if (!error.empty()) {
    out << error << "\n";
    return kExitFailed;
  }
  out << UsbCandidateTable(candidates);
  return kExitSuccess;
}

// --adopt and --forget: the ID in the adopted IDs' file, and its udev rule.
int Adopt(CommandContext& context, UsbId id, bool adopt) {
  std::ostream& out = context.Out();
  const std::string hex = FormatUsbId(id);
  std::string error;
  if (!(adopt ? AdoptUsbId(id, error) : ForgetUsbId(id, error))) {
    context.Ui().ShowMessage(error);
    return kExitFailed;
  }
  if (adopt) {
    out << hex << " is a console ID from now on (kept in " << AdoptedUsbIdsFile().string() << ")\n";
    InstallUdevRule(id, out);
  } else {
    out << hex << " is no longer a console ID\n";
    RemoveUdevRule(id, out);
  }
  return kExitSuccess;
}

}  // namespace

int RunUsb(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.empty()) {
    return List(context);
  }
  if (words.size() != 2 || (words[0] != "--adopt" && words[0] != "--forget")) {
    return context.UsageError(self,
                              "nothing, or --adopt VVVV:PPPP, or --forget VVVV:PPPP expected");
  }
  const std::vector<UsbId> ids = ParseUsbIds(words[1]);
  if (ids.size() != 1 || words[1].find(',') != std::string::npos) {
    return context.UsageError(self, "\"" + words[1] + "\" is not one VVVV:PPPP");
  }
  return Adopt(context, ids.front(), words[0] == "--adopt");
}

}  // namespace zq::cli
