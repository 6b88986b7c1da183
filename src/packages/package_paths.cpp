#include "packages/package_paths.h"

#include <algorithm>
#include <vector>

#include "platform/card_text.h"
#include "platform/codepage.h"

namespace zq {
namespace {

// One component of a relative PC path made from console bytes: it must name
// something inside its parent, never the parent itself, its parent's parent,
// a drive or a path of its own.
bool IsPlainComponent(std::string_view part) {
  if (part.empty() || part == "." || part == "..") {
    return false;
  }
  return std::none_of(part.begin(), part.end(),
                      [](char c) { return c == '/' || c == '\\' || c == ':' || c == '\0'; });
}

}  // namespace

std::string ExtensionOf(std::string_view name) {
  const auto dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return SameCardNameIgnoringCase(a, b);
}

std::string FolderOfFile(const std::string& pcPath) {
  return std::filesystem::path(pcPath).parent_path().string();
}

std::string StartFolder(const std::string& stored, const std::filesystem::path& programFolder,
                        const char* fallbackName) {
  if (!stored.empty()) {
    return stored;
  }
  return (programFolder / fallbackName).string();
}

std::optional<std::filesystem::path> BackupPathFor(const std::filesystem::path& backupFolder,
                                                   std::string_view entryPath,
                                                   std::string_view entryName) {
  std::vector<std::string_view> parts;
  if (!entryPath.empty()) {
    if (entryPath.front() != '\\') {
      return std::nullopt;
    }
    std::string_view rest = entryPath.substr(1);
    while (true) {
      const auto separator = rest.find('\\');
      parts.push_back(rest.substr(0, separator));
      if (separator == std::string_view::npos) {
        break;
      }
      rest = rest.substr(separator + 1);
    }
  }
  parts.push_back(entryName);

  std::filesystem::path result = backupFolder;
  for (std::string_view part : parts) {
    if (!IsPlainComponent(part)) {
      return std::nullopt;
    }
    // Only an exact PC form: a lossy one would give two card names one backup.
    // CP949 trail bytes never take the values of '/', '\\', '.' or ':', so the
    // checks above hold for the converted text as well; check it all the same.
    const std::optional<std::string> converted = Cp949ToUtf8Exact(part);
    if (!converted || !IsPlainComponent(*converted)) {
      return std::nullopt;
    }
    result /= *converted;
  }
  return result;
}

}  // namespace zq
