#include "views/rules/tree_rules.h"

#include "views/rules/folder_path.h"

namespace zq {

std::string PathOfNode(NodeRoot root, std::string_view driveRoot,
                       const std::vector<std::string>& names) {
  std::string path;
  char separator = '\\';
  if (root == NodeRoot::Console) {
    path = std::string(kConsoleRoot);
  } else {
    if (driveRoot.empty()) {
      return {};
    }
    path = std::string(driveRoot);
    separator = kPcSeparator;
    if (path.back() != separator && path.back() != '\\' && path.back() != '/') {
      path += separator;
    }
  }
  for (const auto& name : names) {
    path += name;
    path += separator;
  }
  return path;
}

std::string DriveNodeText(std::string_view displayName, std::string_view rootPath) {
  std::string root(rootPath);
  // A root shows without its trailing separator ("C:", "/media/card"), but "/" stays.
  if (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) {
    root.pop_back();
  }
  return std::string(displayName) + " (" + root + ")";
}

std::optional<std::size_t> FindDriveForPath(std::string_view path,
                                            const std::vector<DriveNode>& drives,
                                            std::string& drivePart) {
  const std::string upper = UpperCaseAscii(path);
  const bool hasLetter = upper.size() >= 2 && upper[1] == ':';
  if (hasLetter || upper.empty() || (upper[0] != '/')) {
    const auto cut = upper.find_first_of("\\/");
    drivePart = cut == std::string::npos ? upper : upper.substr(0, cut);
    for (std::size_t i = 0; i < drives.size(); ++i) {
      if (!drivePart.empty() &&
          UpperCaseAscii(drives[i].text).find(drivePart) != std::string::npos) {
        return i;
      }
    }
    return std::nullopt;
  }
  std::optional<std::size_t> best;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const auto& root = drives[i].rootPath;
    if (!root.empty() && path.substr(0, root.size()) == root && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  if (!best) {
    const auto cut = path.find('/', 1);
    drivePart = std::string(path.substr(0, cut));
  } else {
    drivePart = drives[*best].rootPath;
  }
  return best;
}

std::string CouldNotFindDriveMessage(std::string_view drivePart, std::string_view path) {
  return "[SelectFolder]couldn't find " + std::string(drivePart) + " from " + std::string(path);
}

std::vector<std::string> NamesBelowRoot(std::string_view path, std::string_view rootPath) {
  if (path.size() < rootPath.size()) {
    return {};
  }
  const char separator = SeparatorOf(path);
  return SplitComponents(path.substr(rootPath.size()), separator);
}

}  // namespace zq
