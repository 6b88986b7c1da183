#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq::cli {

// Console paths as given on the command line (UTF-8), turned into the
// console's own form (CP949 bytes, "zq:\" root, backslashes):
// - "zq:\GAME", "ZQ:\game\", "zq:/game" and "zq:game" all name zq:\GAME
//   (the console compares names ignoring case, so case is kept as typed);
// - a path without the "zq:" prefix is taken from the card's root, so
//   "GAME/SAVE" is zq:\GAME\SAVE and "" or "/" is zq:\;
// - a slash is a backslash, since no console name may hold either, and
//   shells need no quoting for it; repeated separators count once.
// A trailing separator is kept: for rm and get it marks a folder.
// nullopt when the text has no CP949 form or holds a "." or ".." component.
std::optional<std::string> ToConsolePath(std::string_view argument);

// The same, always ending in one backslash (a folder to list or copy into).
std::optional<std::string> ToConsoleFolder(std::string_view argument);

// Whether a console path names a folder (ends in a backslash).
bool IsConsoleFolderPath(std::string_view consolePath);

// A console path without its trailing backslash; the root stays "zq:\".
std::string WithoutTrailingBackslash(std::string_view consolePath);

}  // namespace zq::cli
