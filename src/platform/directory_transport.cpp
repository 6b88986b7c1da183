#include "platform/directory_transport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/device_directory.h"
#include "platform/socket_endpoint.h"

namespace zq {

DirectoryTransport::DirectoryTransport(std::filesystem::path directory, DiagnosticSink sink)
    : directory_(std::move(directory)), sink_(std::move(sink)) {}

void DirectoryTransport::Print(const std::string& line) const {
  if (!diagnostics_) {
    return;
  }
  if (sink_) {
    sink_(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

std::filesystem::path DirectoryTransport::FindDevice() const {
  std::vector<std::filesystem::path> interfaces;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(directory_, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_directory(ec)) {
      interfaces.push_back(it->path());
    }
  }
  std::sort(interfaces.begin(), interfaces.end());
  for (const auto& candidate : interfaces) {
    Print("Attempting to open " + candidate.string() + "\n");
    const int fd = ConnectSeqpacket(candidate / kConsoleToHostPipe);
    if (fd >= 0) {
      ::close(fd);
      return candidate;
    }
    Print("FAILED to open " + candidate.string() + "\n");
  }
  return {};
}

std::unique_ptr<Endpoint> DirectoryTransport::OpenPipe(std::string_view pipeName) {
  const std::filesystem::path device = FindDevice();
  if (device.empty()) {
    Print("Failed to GetUsbDeviceFileName\n");
    return nullptr;
  }
  const std::filesystem::path name = device / std::string(pipeName);
  Print("completeDeviceName = (" + name.string() + ")\n");
  const int fd = ConnectSeqpacket(name);
  if (fd < 0) {
    Print("Failed to open (" + name.string() + ") = " + std::to_string(-fd));
    return nullptr;
  }
  Print("Opened successfully.\n");
  return std::make_unique<SocketEndpoint>(fd);
}

}  // namespace zq
