#include "packages/installed_programs.h"

#include <algorithm>

#include "link/status.h"
#include "packages/package_paths.h"
#include "platform/card_text.h"

namespace zq {
namespace {

constexpr const char* kGameFolder = "zq:\\game\\";
constexpr const char* kFxeFolder = "zq:\\zqmm\\";

const char* ListingMessage(Status result) {
  switch (result) {
    case status::kConsoleFailed:
      return "an error occurred in ZQ61 during process";
    case status::kUnformatted:
      return "unformatted SMC";
    case status::kCommError:
      return "communication error occurred";
    case status::kTimedOut:
      return "timed out";
    default:
      return "unknown error occurred";
  }
}

std::string BaseOf(const std::string& name) {
  const auto slash = name.rfind('\\');
  const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
  return last.substr(0, last.find('.'));
}

// A listed name is used as one component of a console path and of a PC
// path (backup); anything else must not reach the device operations.
bool IsSingleCardName(const std::string& name) {
  const bool plain = std::none_of(name.begin(), name.end(),
                                  [](char c) { return c == '\\' || c == '/' || c == '\0'; });
  return plain && !BaseOf(name).empty();
}

bool AppendListed(DeviceOperations& ops, const char* folder, const char* extension,
                  std::vector<std::string>& names) {
  EntryList entries;
  const Status result = ops.Link().ListFolder(entries, folder, ListMode::Full);
  if (result != status::kOk) {
    ops.Ui().ShowMessage(ListingMessage(result));
    return false;
  }
  for (const RemoteEntry& entry : entries) {
    if (EqualsIgnoringCase(ExtensionOf(entry.name), extension) && IsSingleCardName(entry.name)) {
      names.push_back(entry.name);
    }
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> ListInstalledPrograms(DeviceOperations& ops) {
  std::vector<std::string> names;
  if (!AppendListed(ops, kGameFolder, "ZXE", names) ||
      !AppendListed(ops, kFxeFolder, "FXE", names)) {
    return std::nullopt;
  }
  return names;
}

std::vector<std::string> InListOrder(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CardNameLessIgnoringCase(a, b);
  });
  return names;
}

std::optional<ProgramTargets> LocateProgram(const std::string& name) {
  const std::string extension = ExtensionOf(name);
  const char* folder = nullptr;
  if (EqualsIgnoringCase(extension, "ZXE")) {
    folder = kGameFolder;
  } else if (EqualsIgnoringCase(extension, "FXE")) {
    folder = kFxeFolder;
  } else {
    return std::nullopt;
  }
  if (!IsSingleCardName(name)) {
    return std::nullopt;
  }
  return ProgramTargets{folder + name, folder + BaseOf(name) + "\\"};
}

}  // namespace zq
