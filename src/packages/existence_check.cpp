#include "packages/existence_check.h"

#include "link/status.h"
#include "operations/operation_texts.h"

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
      ops.Ui().ShowMessage(text::kUnformattedSmc);
      return false;
    case status::kCommError:
      ops.Ui().ShowMessage(text::kCommunicationError);
      return false;
    case status::kIoFailed:
      ops.Ui().ShowMessage(text::kUnknownError);
      return false;
    case status::kTimedOut:
      ops.Ui().ShowMessage(text::kTimedOut);
      return false;
    default:
      if (unknown == UnknownExistence::kStop) {
        ops.Ui().ShowMessage(text::kConsoleError);
        return false;
      }
      return true;
  }
}

}  // namespace zq
