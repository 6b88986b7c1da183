#include "packages/existence_check.h"

#include "link/status.h"

namespace zq {

bool CheckEntryExists(DeviceOperations& ops, const std::string& folder, const std::string& name,
                      bool wantFolder, bool& found, UnknownExistence unknown) {
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
      if (unknown == UnknownExistence::kStop) {
        ops.Ui().ShowMessage("an error occurred in ZQ61 during process");
        return false;
      }
      return true;
  }
}

}  // namespace zq
