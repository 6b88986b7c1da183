#include "platform/usb/adopted_usb_ids.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/replace_file.h"

namespace zq {
namespace {

bool WriteIds(const std::filesystem::path& file, const std::vector<UsbId>& ids,
              std::string& error) {
  std::string text;
  for (const UsbId id : ids) {
    text += FormatUsbId(id) + "\n";
  }
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (ReplaceFile(file, {bytes, text.size()}) != ReplaceResult::kOk) {
    error = "cannot write " + file.string();
    return false;
  }
  return true;
}

}  // namespace

std::filesystem::path AdoptedUsbIdsFile() {
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = "/tmp";
  }
  return config / "ZQ61 Program" / "usb-ids";
}

std::vector<UsbId> ReadAdoptedUsbIds(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string text;
  for (std::string line; std::getline(in, line);) {
    text += line + ",";
  }
  return ParseUsbIds(text);
}

bool AdoptUsbId(UsbId id, std::string& error, const std::filesystem::path& file) {
  std::vector<UsbId> ids = ReadAdoptedUsbIds(file);
  if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
    return true;
  }
  ids.push_back(id);
  return WriteIds(file, ids, error);
}

bool ForgetUsbId(UsbId id, std::string& error, const std::filesystem::path& file) {
  std::vector<UsbId> ids = ReadAdoptedUsbIds(file);
  const auto kept = std::remove(ids.begin(), ids.end(), id);
  if (kept == ids.end()) {
    return true;
  }
  ids.erase(kept, ids.end());
  return WriteIds(file, ids, error);
}

}  // namespace zq
