#include "usb/usb_gadget.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/transport_choice.h"

namespace zq::test {
namespace fs = std::filesystem;
namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr const char* kGadgetUdc = "/sys/kernel/config/usb_gadget/zq61/UDC";

// The gadget's device folder in sysfs on the host side.
fs::path DeviceFolder() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/sys/bus/usb/devices", ec)) {
    if (ReadFile(entry.path() / "idVendor") == "1209\n" &&
        ReadFile(entry.path() / "idProduct") == "0005\n") {
      return entry.path();
    }
  }
  return {};
}

// The gadget's device on the host side, with its device node in place.
bool DevicePresent() {
  const fs::path folder = DeviceFolder();
  if (folder.empty()) {
    return false;
  }
  char node[32];
  std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d",
                std::atoi(ReadFile(folder / "busnum").c_str()),
                std::atoi(ReadFile(folder / "devnum").c_str()));
  return fs::exists(node);
}

bool WaitUntilPresent() {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < end) {
    if (DevicePresent()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool WaitFor(pid_t pid, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (::waitpid(pid, nullptr, WNOHANG) == pid) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace

UsbGadget::UsbGadget(const std::vector<std::string>& emulatorArguments) {
  std::vector<std::string> args = {ZQ61_USB_GADGET_SCRIPT, "--dummy-hcd", "--emu",
                                   ZQ61_EMU_PATH,          "--",          "--card",
                                   Card().string()};
  args.insert(args.end(), emulatorArguments.begin(), emulatorArguments.end());
  script_ = ::fork();
  if (script_ == 0) {
    std::vector<char*> argv;
    for (auto& a : args) {
      argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  // Boot, enumeration and the emulator's start are slow under emulation.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!ready_ && std::chrono::steady_clock::now() < end) {
    if (::waitpid(script_, nullptr, WNOHANG) == script_) {
      script_ = -1;
      return;
    }
    ready_ = DevicePresent();
    if (!ready_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  if (ready_) {
    std::printf("[ USB      ] the gadget runs at %d Mbit/s\n", UsbSpeedMbps());
  }
}

void UsbGadget::Unplug() const {
  std::ofstream(kGadgetUdc) << "\n";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (DevicePresent() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool UsbGadget::Plug() const {
  std::error_code ec;
  std::string udc;
  for (const auto& entry : fs::directory_iterator("/sys/class/udc", ec)) {
    udc = entry.path().filename().string();
    break;
  }
  std::ofstream(kGadgetUdc) << udc << "\n";
  return WaitUntilPresent();
}

int UsbSpeedMbps() {
  const fs::path folder = DeviceFolder();
  return folder.empty() ? 0 : std::atoi(ReadFile(folder / "speed").c_str());
}

UsbGadget::~UsbGadget() {
  if (script_ <= 0) {
    return;
  }
  ::kill(script_, SIGTERM);
  if (!WaitFor(script_, std::chrono::seconds(60))) {
    ::kill(script_, SIGKILL);
    ::waitpid(script_, nullptr, 0);
  }
}

void UsbGadget::KillEmulator() const {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string cmdline = ReadFile(entry.path() / "cmdline");
    if (cmdline.find("zq61-emu") != std::string::npos &&
        cmdline.find("--usb-gadget") != std::string::npos &&
        cmdline.find(Card().string()) != std::string::npos) {
      ::kill(std::atoi(entry.path().filename().c_str()), SIGKILL);
    }
  }
}

std::unique_ptr<LinkSession> UsbSession(std::chrono::milliseconds second) {
  auto transport = MakeConsoleTransport(TransportChoice::kUsb).transport;
  transport->SetDiagnostics(false);
  return std::make_unique<LinkSession>(transport, LinkTiming{second});
}

}  // namespace zq::test
