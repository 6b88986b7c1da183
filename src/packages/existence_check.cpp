#include "packages/existence_check.h"

#include "link/status.h"

namespace zq {

bool CheckEntryExists(DeviceOperations& ops, const std::string& folder, const std::string& name,
                      bool wantFolder, bool& found) {
  found = false;
  bool listedFound = false;
  const Status result = ops.Link().EntryExists(folder, name, wantFolder, listedFound);
  switch (result) {
    case status::kOk:
      found = listedFound;
      return true;
    case status::kUnformatted:
      ops.Ui().ShowMessage("unformatted SMC");
      return false;
    case status::kCommError:
      ops.Ui().ShowMessage("communication error occurred");
      return false;
    case status::kIoFailed:
      ops.Ui().ShowMessage("unknown error occurred");
      return false;
    case status::kTimedOut:
      ops.Ui().ShowMessage("timed out");
      return false;
    default:
      return true;
  }
}

}  // namespace zq
