#include "emulator/functionfs_descriptors.h"

#include <linux/usb/functionfs.h>

#include <cstring>

namespace zq::emu {
namespace {

constexpr std::uint8_t kInterfaceDescriptor = 4;
constexpr std::uint8_t kEndpointDescriptor = 5;
constexpr std::uint8_t kBulk = 2;
constexpr std::uint8_t kVendorClass = 0xFF;

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
}

void SetLe32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) {
    out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

void PutInterface(std::vector<std::uint8_t>& out) {
  // bLength, bDescriptorType, bInterfaceNumber, bAlternateSetting,
  // bNumEndpoints, class, subclass, protocol, iInterface (string 1).
  out.insert(out.end(), {9, kInterfaceDescriptor, 0, 0, 3, kVendorClass, 0, 0, 1});
}

void PutEndpoint(std::vector<std::uint8_t>& out, std::uint8_t address, std::uint16_t maxPacket) {
  out.insert(out.end(), {7, kEndpointDescriptor, address, kBulk});
  PutLe16(out, maxPacket);
  out.push_back(0);  // bInterval
}

void PutSpeed(std::vector<std::uint8_t>& out, std::uint16_t maxPacket) {
  // The console's layout: its driver opens the first endpoint as PIPE00 and
  // the third as PIPE02; the second is the console's own.
  PutInterface(out);
  PutEndpoint(out, 0x81, maxPacket);
  PutEndpoint(out, 0x02, maxPacket);
  PutEndpoint(out, 0x03, maxPacket);
}

}  // namespace

std::vector<std::uint8_t> FunctionFsDescriptors() {
  std::vector<std::uint8_t> out;
  PutLe32(out, FUNCTIONFS_DESCRIPTORS_MAGIC_V2);
  PutLe32(out, 0);  // length, set below
  PutLe32(out, FUNCTIONFS_HAS_FS_DESC | FUNCTIONFS_HAS_HS_DESC);
  PutLe32(out, 4);  // full-speed descriptors
  PutLe32(out, 4);  // high-speed descriptors
  PutSpeed(out, 64);
  PutSpeed(out, 512);
  SetLe32(out, 4, static_cast<std::uint32_t>(out.size()));
  return out;
}

std::vector<std::uint8_t> FunctionFsStrings() {
  std::vector<std::uint8_t> out;
  PutLe32(out, FUNCTIONFS_STRINGS_MAGIC);
  PutLe32(out, 0);  // length, set below
  PutLe32(out, 1);  // strings per language
  PutLe32(out, 1);  // languages
  PutLe16(out, 0x0409);
  const std::size_t n = std::strlen(kGadgetInterfaceName);
  out.insert(out.end(), kGadgetInterfaceName, kGadgetInterfaceName + n + 1);
  SetLe32(out, 4, static_cast<std::uint32_t>(out.size()));
  return out;
}

}  // namespace zq::emu
