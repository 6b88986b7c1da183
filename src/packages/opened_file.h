#pragma once

#include <filesystem>
#include <string>

#include "operations/device_operations.h"
#include "operations/settings.h"

namespace zq {

// What a file handed to the program by the desktop is.
enum class OpenedFileKind { kFreePackage, kCommercialPackage, kPatch, kUnknown };

// By its extension (.fpk, .zpk, .zqt, case ignored); a file with another
// extension by its first four bytes ("ZQKG", "ZPK ", "PTCH"), as the
// desktop's type database recognises it.
OpenedFileKind KindOfOpenedFile(const std::string& path);

// Opens such a file as its command would after its file dialog: a package
// is installed, a patch is applied (the backup folder is asked for). A file
// of no known kind is refused with "invalid file format".
void OpenFileFromDesktop(DeviceOperations& ops, Settings& settings,
                         const std::filesystem::path& programFolder, const std::string& path);

}  // namespace zq
