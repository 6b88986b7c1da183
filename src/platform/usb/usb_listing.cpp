#include "platform/usb/usb_listing.h"

#include <algorithm>
#include <fstream>

#include "platform/usb/usb_candidate_rule.h"
#include "platform/usb/usb_context.h"

namespace zq {
namespace {

std::string SysfsProduct(const std::string& port) {
  std::ifstream in("/sys/bus/usb/devices/" + port + "/product");
  std::string line;
  std::getline(in, line);
  return line;
}

void CheckAccess(libusb_device* device, const libusb_device_descriptor& descriptor,
                 UsbCandidate& candidate) {
  libusb_device_handle* handle = nullptr;
  const int opened = libusb_open(device, &handle);
  if (opened == LIBUSB_ERROR_ACCESS) {
    candidate.access = UsbCandidate::Access::kNoPermission;
    candidate.detail = "no permission";
    return;
  }
  if (opened != LIBUSB_SUCCESS) {
    candidate.access = UsbCandidate::Access::kFailed;
    candidate.detail = libusb_error_name(opened);
    return;
  }
  if (candidate.product.empty() && descriptor.iProduct != 0) {
    unsigned char text[128];
    const int n =
        libusb_get_string_descriptor_ascii(handle, descriptor.iProduct, text, sizeof text);
    if (n > 0) {
      candidate.product.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(n));
    }
  }
  const int interface = candidate.pipes.interfaceNumber;
  if (libusb_kernel_driver_active(handle, interface) == 1) {
    candidate.access = UsbCandidate::Access::kOpens;
    candidate.detail = "a kernel driver holds it; detached while in use";
  } else if (const int claimed = libusb_claim_interface(handle, interface);
             claimed == LIBUSB_SUCCESS) {
    libusb_release_interface(handle, interface);
    candidate.access = UsbCandidate::Access::kOpens;
  } else if (claimed == LIBUSB_ERROR_BUSY) {
    candidate.access = UsbCandidate::Access::kBusy;
    candidate.detail = "busy: another program holds it";
  } else {
    candidate.access = UsbCandidate::Access::kFailed;
    candidate.detail = libusb_error_name(claimed);
  }
  libusb_close(handle);
}

}  // namespace

std::vector<UsbCandidate> ListUsbCandidates(const std::vector<UsbId>& ids, std::string& error) {
  std::vector<UsbCandidate> candidates;
  int failure = 0;
  const auto context = UsbContext::Create(failure);
  if (!context) {
    error = std::string("USB cannot be searched here: ") + libusb_error_name(failure);
    return candidates;
  }
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context->Get(), &list);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS ||
        libusb_get_active_config_descriptor(list[i], &config) != LIBUSB_SUCCESS) {
      continue;
    }
    UsbCandidate candidate;
    candidate.id = {descriptor.idVendor, descriptor.idProduct};
    candidate.listed = std::find(ids.begin(), ids.end(), candidate.id) != ids.end();
    // A listed device by the console's pipes; any other only by the
    // candidates' stricter rule.
    auto pipes = candidate.listed ? FindConsolePipes(*config, false) : FindCandidatePipes(*config);
    libusb_free_config_descriptor(config);
    if (!pipes) {
      continue;
    }
    candidate.pipes = *pipes;
    candidate.bus = libusb_get_bus_number(list[i]);
    candidate.address = libusb_get_device_address(list[i]);
    std::uint8_t ports[8];
    const int depth = libusb_get_port_numbers(list[i], ports, sizeof ports);
    candidate.port =
        UsbPortPath(candidate.bus, std::span<const std::uint8_t>(ports, depth > 0 ? depth : 0));
    candidate.product = SysfsProduct(candidate.port);
    CheckAccess(list[i], descriptor, candidate);
    candidates.push_back(std::move(candidate));
  }
  if (list != nullptr) {
    libusb_free_device_list(list, 1);
  }
  std::sort(candidates.begin(), candidates.end(), [](const UsbCandidate& a, const UsbCandidate& b) {
    return a.bus != b.bus ? a.bus < b.bus : a.address < b.address;
  });
  return candidates;
}

}  // namespace zq
