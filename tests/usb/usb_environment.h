#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/usb/usb_ids.h"
#include "support/temp_dir.h"

namespace zq::test {

// A device ID that no list of console IDs names.
inline constexpr UsbId kUnlistedId{0x1209, 0x0e61};

// The settings folder (adopted IDs) and the udev rules folder of one test,
// taken by the test's children too; the transport and the ID list are the
// programs' own defaults.
class OwnConfig {
 public:
  OwnConfig() {
    std::filesystem::create_directories(rules);
    std::filesystem::create_directories(noDevices);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    ::setenv("ZQ61_UDEV_RULES_DIR", rules.c_str(), 1);
    ::unsetenv("ZQ61_TRANSPORT");
    ::unsetenv("ZQ61_USB_IDS");
  }
  ~OwnConfig() { ::unsetenv("ZQ61_UDEV_RULES_DIR"); }
  OwnConfig(const OwnConfig&) = delete;
  OwnConfig& operator=(const OwnConfig&) = delete;

  TempDir config{"zq-usb-config"};
  std::filesystem::path rules = config / "rules.d";
  std::filesystem::path noDevices = config / "dev";  // an empty device directory
};

// udevd for one test, as a desktop runs it (its rules folder under /run is
// writable in the guest); stopped when the object goes away. The guest runs
// the tests in a chroot, where udevadm would refuse its requests without
// SYSTEMD_IGNORE_CHROOT. Not ready where udev is not installed.
class RunningUdev {
 public:
  RunningUdev();
  ~RunningUdev();
  RunningUdev(const RunningUdev&) = delete;
  RunningUdev& operator=(const RunningUdev&) = delete;
  bool Ready() const { return ready_; }

 private:
  bool ready_ = false;
};

// What a shell command printed.
std::string CommandOutput(const std::string& command);

}  // namespace zq::test
