// Connecting, leaving, the disk-space display, and the failure reporting the
// other operations share.
#include "operations/device_operations.h"
#include "operations/operation_texts.h"

namespace zq {

DeviceOperations::DeviceOperations(LinkSession& link, UserInterface& ui) : link_(link), ui_(ui) {}

void DeviceOperations::HideIf(bool hideAfterwards) {
  if (hideAfterwards) {
    ui_.HideProgress();
  }
}

void DeviceOperations::NotePcFailure(Status result, const std::string& path) {
  switch (result) {
    case status::kOpenFileFailed:
    case status::kReadFileFailed:
    case status::kCreateFileFailed:
    case status::kShortWrite:
      pcFailure_ = PcFailure{path, link_.LastPcError()};
      break;
    default:
      pcFailure_.reset();
  }
}

bool DeviceOperations::FailWith(const std::string& message, bool hideAfterwards) {
  ui_.ShowMessage(message);
  HideIf(hideAfterwards);
  return false;
}

bool DeviceOperations::Fail(StatusFamily family, Status status, bool hideAfterwards) {
  return FailWith(StatusMessage(family, status), hideAfterwards);
}

bool DeviceOperations::ConnectDevice() {
  Status result = link_.Connect();
  if (result != status::kOk) {
    ui_.ShowMessage(StatusMessage(StatusFamily::Connect, result));
    return false;
  }
  return true;
}

bool DeviceOperations::DisconnectDevice() {
  if (!link_.IsConnected()) {
    return true;
  }
  Status result = link_.Disconnect();
  if (result != status::kOk && FamilyNames(StatusFamily::Disconnect, result)) {
    ui_.ShowMessage(StatusMessage(StatusFamily::Disconnect, result));
  }
  return true;
}

bool DeviceOperations::ReadDiskInfo(std::uint32_t& total, std::uint32_t& used,
                                    std::uint32_t& free) {
  if (!link_.IsConnected()) {
    ui_.ShowMessage(text::kNotConnected);
    return false;
  }
  std::uint32_t t = 0;
  std::uint32_t u = 0;
  std::uint32_t f = 0;
  Status result = link_.QueryDiskInfo(t, u, f);
  if (result != status::kOk) {
    ui_.ShowMessage(StatusMessage(StatusFamily::DiskSpace, result));
    return false;
  }
  total = t;
  used = u;
  free = f;
  ui_.SetDiskText(DiskText(t, u, f));
  return true;
}

bool DeviceOperations::ShowDiskInfo(std::uint32_t& total, std::uint32_t& used,
                                    std::uint32_t& free) {
  return ReadDiskInfo(total, used, free);
}

bool DeviceOperations::ShowDiskInfo() {
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  return ReadDiskInfo(total, used, free);
}

}  // namespace zq
