#pragma once

#include <filesystem>
#include <string>

#include "operations/device_operations.h"
#include "operations/settings.h"

namespace zq {

// The "&Patch" command: lets the person pick a patch file and a PC folder for
// the replaced files, applies the patch and, when it succeeded, remembers
// the patch file's folder in "PATH"/"ZQT".
void OnPatch(DeviceOperations& ops, Settings& settings, const std::filesystem::path& programFolder);

// What "&Patch" does with the patch file chosen in its dialog: asks for the
// backup folder, applies the patch and remembers the file's folder.
void PatchChosenFile(DeviceOperations& ops, Settings& settings,
                     const std::filesystem::path& programFolder, const std::string& patchPath);

// Applies the patch file at `patchPath` to the card: every file it carries
// replaces the card's file of the same path, whose old content is first kept
// in `backupFolder` under the same relative path. True when every entry was
// handled. Nothing is written outside `backupFolder`: an entry whose path or
// name could lead out of it stops the patch before anything is done for it.
bool ApplyPatch(DeviceOperations& ops, const std::string& patchPath,
                const std::filesystem::path& backupFolder, bool hideAfterwards);

}  // namespace zq
