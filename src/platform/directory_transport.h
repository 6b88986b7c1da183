#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/device_transport.h"

namespace zq {

// The device directory stand-in for the console driver's device interfaces:
// every sub-folder of the directory, in name order, is one interface holding
// the socket endpoints PIPE00 (console to host) and PIPE02 (host to console).
// An interface "opens" when a connection to its PIPE00 succeeds; that probe
// connection is closed at once, so a folder left by a killed console is
// skipped.
class DirectoryTransport final : public DeviceTransport {
 public:
  using DiagnosticSink = std::function<void(const std::string&)>;

  // Diagnostic lines go to standard output unless another sink is given.
  explicit DirectoryTransport(std::filesystem::path directory, DiagnosticSink sink = {});

  // Silences (or restores) the diagnostic lines.
  void SetDiagnostics(bool on) { diagnostics_ = on; }
  const std::filesystem::path& Directory() const { return directory_; }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName) override;

 private:
  void Print(const std::string& line) const;
  // The first interface folder whose probe opens, or an empty path.
  std::filesystem::path FindDevice() const;

  std::filesystem::path directory_;
  DiagnosticSink sink_;
  bool diagnostics_ = true;
};

}  // namespace zq
