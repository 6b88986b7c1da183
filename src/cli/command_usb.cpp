#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/usb_report.h"
#include "platform/usb/usb_listing.h"

namespace zq::cli {

int RunUsb(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (!words.empty()) {
    return context.UsageError(self, "no arguments expected");
  }
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

}  // namespace zq::cli
