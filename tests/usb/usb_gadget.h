#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "link/link_session.h"
#include "platform/usb/usb_ids.h"
#include "support/temp_dir.h"

namespace zq::test {

// zq61-emu as a USB gadget on this machine's dummy_hcd, started through
// scripts/usb-gadget (as root, inside the test guest) on a fresh card with
// the emulator options given and the device ID `id`; stopped, and the
// gadget undone, when the object goes away.
class UsbGadget {
 public:
  explicit UsbGadget(const std::vector<std::string>& emulatorArguments = {},
                     UsbId id = kEmulatorGadgetId);
  ~UsbGadget();
  UsbGadget(const UsbGadget&) = delete;
  UsbGadget& operator=(const UsbGadget&) = delete;

  // Whether the host side saw the device appear in time.
  bool Ready() const { return ready_; }
  std::filesystem::path Card() const { return root_ / "card"; }
  const std::filesystem::path& Root() const { return root_.Path(); }
  // The device's node on the host side (/dev/bus/usb/BBB/DDD); empty when
  // it is not there.
  std::string DeviceNode() const;

  // Kills the emulator process at once (SIGKILL), as a crash would.
  void KillEmulator() const;
  // Unbinds the gadget from its device controller, as pulling the cable
  // does; Plug() binds it again and waits until the host sees the device.
  void Unplug() const;
  bool Plug() const;

 private:
  TempDir root_{"zq-usb-test"};
  UsbId id_;
  pid_t script_ = -1;
  bool ready_ = false;
};

// The bus speed the gadget's device runs at on the host side, in Mbit/s
// (12: full speed, 480: high speed); 0 when there is no such device.
int UsbSpeedMbps(UsbId id = kEmulatorGadgetId);

// A session through the USB transport alone, its diagnostic lines off.
std::unique_ptr<LinkSession> UsbSession(
    std::chrono::milliseconds second = std::chrono::milliseconds(1000));

}  // namespace zq::test
