#include "platform/usb/usb_presence.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace zq {
namespace {

bool ReadHexFile(const std::filesystem::path& path, std::uint16_t& value) {
  std::ifstream in(path);
  std::string text;
  if (!std::getline(in, text)) {
    return false;
  }
  const auto ids = ParseUsbIds(text + ":0");
  if (ids.empty()) {
    return false;
  }
  value = ids.front().vendor;
  return true;
}

}  // namespace

std::vector<UsbId> PresentUsbIds(const std::filesystem::path& devices) {
  std::vector<UsbId> ids;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(devices, ec), end; !ec && it != end;
       it.increment(ec)) {
    UsbId id;
    if (ReadHexFile(it->path() / "idVendor", id.vendor) &&
        ReadHexFile(it->path() / "idProduct", id.product)) {
      ids.push_back(id);
    }
  }
  return ids;
}

bool UsbConsolePresent() {
  const std::vector<UsbId> wanted = ConsoleUsbIds();
  for (const UsbId id : PresentUsbIds()) {
    if (std::find(wanted.begin(), wanted.end(), id) != wanted.end()) {
      return true;
    }
  }
  return false;
}

}  // namespace zq
