#pragma once

#include <filesystem>

namespace zq {

// The folder where console interfaces appear: ZQ61_DEVICE_DIR when set and not
// empty, else $XDG_RUNTIME_DIR/zq61, else /tmp/zq61-<uid>.
std::filesystem::path DefaultDeviceDirectory();

// Names of the two endpoints inside an interface folder.
inline constexpr const char* kConsoleToHostPipe = "PIPE00";
inline constexpr const char* kHostToConsolePipe = "PIPE02";

}  // namespace zq
