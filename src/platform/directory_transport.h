#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/search_transport.h"

namespace zq {

// The device directory stand-in for the console driver's device interfaces:
// every sub-folder of the directory, in name order, is one interface holding
// the socket endpoints PIPE00 (console to host) and PIPE02 (host to console).
// An interface "opens" when a connection to its PIPE00 succeeds; that probe
// connection is closed at once, so a folder left by a killed console is
// skipped.
class DirectorySearch final : public DeviceSearch {
 public:
  explicit DirectorySearch(std::filesystem::path directory) : directory_(std::move(directory)) {}

  const std::filesystem::path& Directory() const { return directory_; }
  std::unique_ptr<FoundDevice> FindDevice(const DiagnosticLines& lines) override;

 private:
  std::filesystem::path directory_;
};

// A transport that looks for the console in one device directory only.
class DirectoryTransport final : public SearchTransport {
 public:
  using DiagnosticSink = DiagnosticLines::Sink;

  // Diagnostic lines go to standard output unless another sink is given.
  explicit DirectoryTransport(std::filesystem::path directory, DiagnosticSink sink = {});

  const std::filesystem::path& Directory() const { return directory_; }

 private:
  std::filesystem::path directory_;
};

}  // namespace zq
