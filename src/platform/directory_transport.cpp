#include "platform/directory_transport.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/device_directory.h"
#include "platform/socket_endpoint.h"

namespace zq {
namespace {

class InterfaceFolder final : public FoundDevice {
 public:
  explicit InterfaceFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

  std::string Name() const override { return folder_.string(); }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName, int& error) override {
    const int fd = ConnectSeqpacket(folder_ / std::string(pipeName));
    if (fd < 0) {
      error = -fd;
      return nullptr;
    }
    return std::make_unique<SocketEndpoint>(fd);
  }

 private:
  std::filesystem::path folder_;
};

}  // namespace

std::unique_ptr<FoundDevice> DirectorySearch::FindDevice(const DiagnosticLines& lines) {
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
    lines.Print("Attempting to open " + candidate.string() + "\n");
    const int fd = ConnectSeqpacket(candidate / kConsoleToHostPipe);
    if (fd >= 0) {
      ::close(fd);
      return std::make_unique<InterfaceFolder>(candidate);
    }
    lines.Print("FAILED to open " + candidate.string() + "\n");
  }
  return nullptr;
}

DirectoryTransport::DirectoryTransport(std::filesystem::path directory, DiagnosticSink sink)
    : SearchTransport({std::make_shared<DirectorySearch>(directory)}, std::move(sink)),
      directory_(std::move(directory)) {}

}  // namespace zq
