#pragma once

#include <string>

#include "operations/device_operations.h"

namespace zq {

// Asks the console whether `folder` (ending in a backslash) holds `name` as
// a folder (`wantFolder`) or a file, before the installer or the patcher
// writes that entry. A time-out, an I/O failure, a garbled reply or an
// unformatted card is shown as its message and returns false. Any other
// failure of the listing (the console refusing it, as it does for a folder
// that is not there) counts as "not found" and returns true: the folder is
// then created, or the file sent, and that operation reports what fails.
bool CheckEntryExists(DeviceOperations& ops, const std::string& folder, const std::string& name,
                      bool wantFolder, bool& found);

}  // namespace zq
