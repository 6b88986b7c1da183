#pragma once

#include <string>

#include "operations/device_operations.h"

namespace zq {

// What a refused listing (any failure but the four with messages) means.
enum class UnknownExistence {
  kNotFound,  // go on as if the entry were missing
  kStop,      // stop with the console's failure message
};

// Asks the console whether `folder` (ending in a backslash) holds `name` as
// a folder (`wantFolder`) or a file, before the installer or the patcher
// writes that entry. A time-out, an I/O failure, a garbled reply or an
// unformatted card is shown as its message and returns false. Any other
// failure of the listing (the console refusing it, as it does for a folder
// that is not there) counts as "not found" and returns true by default: the
// folder is then created, or the file sent, and that operation reports what
// fails. The patcher stops instead for a file, since sending it onto a file
// it could not see would replace that file without keeping a backup.
bool CheckEntryExists(DeviceOperations& ops, const std::string& folder, const std::string& name,
                      bool wantFolder, bool& found,
                      UnknownExistence unknown = UnknownExistence::kNotFound);

}  // namespace zq
