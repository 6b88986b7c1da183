#include "platform/device_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace zq {

std::filesystem::path DefaultDeviceDirectory() {
  if (const char* dir = std::getenv("ZQ61_DEVICE_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      runtime != nullptr && *runtime != '\0') {
    return std::filesystem::path(runtime) / "zq61";
  }
  return std::filesystem::path("/tmp") / ("zq61-" + std::to_string(::getuid()));
}

}  // namespace zq
