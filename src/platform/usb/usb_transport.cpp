#include "platform/usb/usb_transport.h"

#include <algorithm>
#include <cerrno>

#include "platform/device_directory.h"
#include "platform/usb/usb_console_device.h"
#include "platform/usb/usb_device_match.h"

namespace zq {
namespace {

class FoundUsbDevice final : public FoundDevice {
 public:
  FoundUsbDevice(std::shared_ptr<UsbConsoleDevice> device, UsbPipeMode mode)
      : device_(std::move(device)), mode_(mode) {}

  std::string Name() const override { return device_->Name(); }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName, int& error) override {
    if (pipeName == kConsoleToHostPipe) {
      return std::make_unique<UsbEndpoint>(device_, device_->Pipes().inAddress, mode_);
    }
    if (pipeName == kHostToConsolePipe) {
      return std::make_unique<UsbEndpoint>(device_, device_->Pipes().outAddress, mode_);
    }
    error = ENOENT;
    return nullptr;
  }

 private:
  std::shared_ptr<UsbConsoleDevice> device_;
  UsbPipeMode mode_;
};

struct Candidate {
  libusb_device* device;
  std::uint8_t bus;
  std::uint8_t address;
  std::string name;
};

std::string NameOf(libusb_device* device, UsbId id) {
  std::uint8_t ports[8];
  const int count = libusb_get_port_numbers(device, ports, sizeof ports);
  return UsbDeviceName(libusb_get_bus_number(device),
                       std::span<const std::uint8_t>(ports, count > 0 ? count : 0), id);
}

}  // namespace

UsbSearch::UsbSearch(std::vector<UsbId> ids, UsbPipeMode mode)
    : ids_(std::move(ids)), mode_(mode) {}

std::unique_ptr<FoundDevice> UsbSearch::FindDevice(const DiagnosticLines& lines) {
  if (auto device = open_.lock()) {
    // The other pipe of a device this search holds already.
    lines.Print("Attempting to open " + device->Name() + "\n");
    return std::make_unique<FoundUsbDevice>(device, mode_);
  }
  denied_.clear();
  int error = 0;
  // A context of its own for each search: devices that came since are seen
  // even where no hot-plug events arrive.
  auto context = UsbContext::Create(error);
  if (!context) {
    return nullptr;  // no USB on this machine: nothing to try
  }
  const std::vector<UsbId> ids = ids_.empty() ? ConsoleUsbIds() : ids_;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context->Get(), &list);
  std::vector<Candidate> candidates;
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS) {
      continue;
    }
    const UsbId id{descriptor.idVendor, descriptor.idProduct};
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
      candidates.push_back({list[i], libusb_get_bus_number(list[i]),
                            libusb_get_device_address(list[i]), NameOf(list[i], id)});
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.bus != b.bus ? a.bus < b.bus : a.address < b.address;
  });
  std::shared_ptr<UsbConsoleDevice> opened;
  for (const Candidate& candidate : candidates) {
    lines.Print("Attempting to open " + candidate.name + "\n");
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(candidate.device, &config) == LIBUSB_SUCCESS) {
      const auto pipes = FindConsolePipes(*config, false);
      libusb_free_config_descriptor(config);
      if (pipes) {
        lines.Print(DescribeConsolePipes(*pipes));
        opened = UsbConsoleDevice::Open(context, candidate.device, *pipes, candidate.name, error);
        if (!opened && error == LIBUSB_ERROR_ACCESS) {
          denied_.push_back(candidate.name);
        }
      }
    }
    if (opened) {
      break;
    }
    lines.Print("FAILED to open " + candidate.name + "\n");
  }
  if (list != nullptr) {
    libusb_free_device_list(list, 1);
  }
  if (!opened) {
    return nullptr;
  }
  open_ = opened;
  return std::make_unique<FoundUsbDevice>(opened, mode_);
}

UsbTransport::UsbTransport(std::shared_ptr<UsbSearch> search, DiagnosticLines::Sink sink)
    : SearchTransport({search}, std::move(sink)), search_(std::move(search)) {}

}  // namespace zq
