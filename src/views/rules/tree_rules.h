#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

inline constexpr std::string_view kConsoleNodeText = "ZQ61";

// What a node of the folder tree stands for.
enum class NodeRoot { Console, Computer };

// The path of a node from its top-level node, the root path of its drive
// (computer side only, ending in its separator) and the raw names of the
// nodes from the first level below that down to the node itself:
//   console, {}, {}             -> zq:\        (the console node)
//   console, {}, {game, race}   -> zq:\game\race\ (with its last backslash)
//   computer, "", {}            -> ""          (the computer node)
//   computer, "/home/me/", {x}  -> /home/me/x/
std::string PathOfNode(NodeRoot root, std::string_view driveRoot,
                       const std::vector<std::string>& names);

// The text of a drive node: its display name with its root in parentheses,
// as in "Local Disk (C:)".
std::string DriveNodeText(std::string_view displayName, std::string_view rootPath);

// The drive `SelectFolder` starts from for a PC path. A path with a drive
// letter ("C:\..." ) picks the first drive whose upper-cased text contains
// that letter and colon; any other path the drive with the longest root that
// begins it. `drivePart` receives what was looked for, for the message.
struct DriveNode {
  std::string text;
  std::string rootPath;  // ends in its separator
};
std::optional<std::size_t> FindDriveForPath(std::string_view path,
                                            const std::vector<DriveNode>& drives,
                                            std::string& drivePart);
std::string CouldNotFindDriveMessage(std::string_view drivePart, std::string_view path);

// The names below the drive's root (or below zq:\) that lead to `path`.
std::vector<std::string> NamesBelowRoot(std::string_view path, std::string_view rootPath);

}  // namespace zq
