#pragma once

#include <filesystem>
#include <string>

#include "operations/device_operations.h"
#include "operations/settings.h"

namespace zq {

// The "&Install" command: lets the person pick a package file, installs it
// by its extension (.zpk commercial, .fpk free, case ignored) and remembers
// the file's folder in "PATH"/"Package" once it was installed, or when it had
// neither extension. `programFolder` supplies the first start folder.
void OnInstall(DeviceOperations& ops, Settings& settings,
               const std::filesystem::path& programFolder);

// What "&Install" does with the file chosen in its dialog: install it by its
// extension, then remember its folder as the command does.
void InstallChosenFile(DeviceOperations& ops, Settings& settings, const std::string& chosen);

// Installs a free package (.fpk) under its root folder on the card: asks
// first, creates the folders the card lacks, sends every file. True when
// every entry was handled. The progress window is hidden at the end when
// `hideAfterwards` is set.
bool InstallFreePackage(DeviceOperations& ops, const std::string& path, bool hideAfterwards);

// Installs a commercial package (.zpk): asks first, writes its folders and
// files, then its two programs, and says "installed successfully". A file
// that cannot be read as a commercial package is reported before the
// question and nothing is written.
bool InstallCommercialPackage(DeviceOperations& ops, const std::string& path, bool hideAfterwards);

}  // namespace zq
