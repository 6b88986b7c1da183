#include "usb/usb_environment.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace zq::test {

RunningUdev::RunningUdev() {
  constexpr const char* kUdevd = "/lib/systemd/systemd-udevd";
  ::setenv("SYSTEMD_IGNORE_CHROOT", "1", 1);
  if (!std::filesystem::exists(kUdevd) ||
      std::system((std::string(kUdevd) + " --daemon").c_str()) != 0) {
    return;
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!ready_ && std::chrono::steady_clock::now() < end) {
    ready_ = std::filesystem::exists("/run/udev/control");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

RunningUdev::~RunningUdev() {
  if (ready_ && std::system("udevadm control --exit") != 0) {
    std::fprintf(stderr, "udevd did not stop\n");
  }
}

std::string CommandOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
      text.append(buffer, n);
    }
    ::pclose(pipe);
  }
  return text;
}

}  // namespace zq::test
