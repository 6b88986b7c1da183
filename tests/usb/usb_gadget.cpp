#include "usb/usb_gadget.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "platform/transport_choice.h"

namespace zq::test {
namespace fs = std::filesystem;
namespace {

// A small file of sysfs or /proc; empty when it cannot be read. Plain reads,
// because a device that leaves meanwhile fails them with "no device", which
// a stream buffer would throw.
std::string ReadFile(const fs::path& path) {
  std::string text;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return text;
  }
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return text;
}

constexpr const char* kGadgetUdc = "/sys/kernel/config/usb_gadget/zq61/UDC";

// The gadget's device folder in sysfs on the host side.
fs::path DeviceFolder(UsbId id) {
  const std::string vendor = FormatUsbId(id).substr(0, 4) + "\n";
  const std::string product = FormatUsbId(id).substr(5) + "\n";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/sys/bus/usb/devices", ec)) {
    if (ReadFile(entry.path() / "idVendor") == vendor &&
        ReadFile(entry.path() / "idProduct") == product) {
      return entry.path();
    }
  }
  return {};
}

std::string NodeOf(UsbId id) {
  const fs::path folder = DeviceFolder(id);
  if (folder.empty()) {
    return {};
  }
  char node[32];
  std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d",
                std::atoi(ReadFile(folder / "busnum").c_str()),
                std::atoi(ReadFile(folder / "devnum").c_str()));
  return node;
}

// The gadget's device on the host side, with its device node in place.
bool DevicePresent(UsbId id) {
  const std::string node = NodeOf(id);
  return !node.empty() && fs::exists(node);
}

bool WaitUntilPresent(UsbId id) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < end) {
    if (DevicePresent(id)) {
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

UsbGadget::UsbGadget(const std::vector<std::string>& emulatorArguments, UsbId id) : id_(id) {
  // The previous case's gadget may still be being undone (its emulator
  // killed, its FunctionFS busy for a moment): a new one waits for that.
  const auto undone = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (fs::exists(fs::path(kGadgetUdc).parent_path()) &&
         std::chrono::steady_clock::now() < undone) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::vector<std::string> args = {
      ZQ61_USB_GADGET_SCRIPT, "--dummy-hcd", "--emu",  ZQ61_EMU_PATH,  "--id",
      FormatUsbId(id),        "--",          "--card", Card().string()};
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
    ready_ = DevicePresent(id_);
    if (!ready_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  if (ready_) {
    std::printf("[ USB      ] the gadget runs at %d Mbit/s\n", UsbSpeedMbps(id_));
  }
}

void UsbGadget::Unplug() const {
  std::ofstream(kGadgetUdc) << "\n";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (DevicePresent(id_) && std::chrono::steady_clock::now() < end) {
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
  return WaitUntilPresent(id_);
}

std::string UsbGadget::DeviceNode() const {
  return DevicePresent(id_) ? NodeOf(id_) : std::string();
}

int UsbSpeedMbps(UsbId id) {
  const fs::path folder = DeviceFolder(id);
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
