#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zq {

// The text after the last '.', or empty when there is none.
std::string ExtensionOf(std::string_view name);

// True when `a` and `b` (console names, CP949) are equal ignoring ASCII case;
// double-byte characters are compared whole.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The folder of a chosen PC file, without a trailing separator; empty when
// the path has no folder part. This is what the file dialogs remember.
std::string FolderOfFile(const std::string& pcPath);

// Where a file dialog opens: the stored folder, or the program folder's
// sub-folder `fallbackName` when nothing is stored.
std::string StartFolder(const std::string& stored, const std::filesystem::path& programFolder,
                        const char* fallbackName);

// The PC place of a patch entry inside `backupFolder`: backup folder + the
// entry's relative path (backslash-separated CP949 components, empty or
// beginning with a backslash) + the entry's name. Returns nullopt when any
// part could lead outside the backup folder: a path that does not begin with
// a backslash, an empty, "." or ".." component, a component or name holding
// a '/', a backslash (names only), a drive colon or a NUL, or any part
// without an exact PC form (bytes that are no CP949 text).
std::optional<std::filesystem::path> BackupPathFor(const std::filesystem::path& backupFolder,
                                                   std::string_view entryPath,
                                                   std::string_view entryName);

}  // namespace zq
