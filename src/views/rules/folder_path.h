#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "operations/path_rules.h"

namespace zq {

// The console's root folder, as the list and the tree name it.
inline constexpr std::string_view kConsoleRoot = "zq:\\";

bool SameNameIgnoringCase(std::string_view a, std::string_view b);
std::string UpperCaseAscii(std::string_view text);

bool IsConsoleRoot(std::string_view path);
// The separator that ends the folders of this path: backslash on the console.
char SeparatorOf(std::string_view path);

// The folder above `folder` (which ends in its separator): cut the trailing
// separator; when what remains still holds one, keep everything up to and
// including the last; otherwise (a root) the folder itself. Move up and the
// ".." row both use this.
std::string ParentFolderPath(std::string_view folder);

// The components of a folder path split at its separator, empty ones left out:
// zq:\game\race\ gives zq:, game, race.
std::vector<std::string> SplitComponents(std::string_view path, char separator);

// In ZQ mode a game's own folder (zq:\game\<name>\) shows only its "zquser"
// folder; every other folder shows all entries.
bool IsGameDataFolder(std::string_view consolePath);
bool ShowEntry(bool zqMode, std::string_view consolePath, std::string_view entryName);

}  // namespace zq
