#include "platform/usb/usb_ids.h"

#include "platform/usb/adopted_usb_ids.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace zq {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ParseHex16(std::string_view text, std::uint16_t& out) {
  if (text.empty() || text.size() > 4) {
    return false;
  }
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return ec == std::errc() && ptr == text.data() + text.size();
}

}  // namespace

std::string FormatUsbId(UsbId id) {
  char text[10];
  std::snprintf(text, sizeof text, "%04x:%04x", id.vendor, id.product);
  return text;
}

std::vector<UsbId> ParseUsbIds(std::string_view text, std::vector<std::string>* rejected) {
  std::vector<UsbId> ids;
  while (!text.empty()) {
    const auto comma = text.find(',');
    const std::string_view entry = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (entry.empty()) {
      continue;
    }
    const auto colon = entry.find(':');
    UsbId id;
    if (colon != std::string_view::npos && ParseHex16(entry.substr(0, colon), id.vendor) &&
        ParseHex16(entry.substr(colon + 1), id.product)) {
      if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
        ids.push_back(id);
      }
    } else if (rejected != nullptr) {
      rejected->emplace_back(entry);
    }
  }
  return ids;
}

std::vector<UsbId> ConsoleUsbIds(std::vector<std::string>* rejected) {
  std::vector<UsbId> ids{kEmulatorGadgetId};
  std::vector<UsbId> more;
  if (const char* extra = std::getenv("ZQ61_USB_IDS"); extra != nullptr) {
    more = ParseUsbIds(extra, rejected);
  }
  const std::vector<UsbId> adopted = ReadAdoptedUsbIds();
  more.insert(more.end(), adopted.begin(), adopted.end());
  for (const UsbId id : more) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
      ids.push_back(id);
    }
  }
  return ids;
}

}  // namespace zq
