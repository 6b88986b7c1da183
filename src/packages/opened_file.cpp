#include "packages/opened_file.h"

#include <array>
#include <fstream>
#include <string_view>

#include "packages/archive_reader.h"
#include "packages/commercial_package.h"
#include "packages/install.h"
#include "packages/package_paths.h"
#include "packages/patch.h"

namespace zq {

namespace {

constexpr std::string_view kUnknownFileMessage = "invalid file format";

std::string MagicOf(const std::string& path) {
  std::array<char, 4> bytes{};
  std::ifstream in(path, std::ios::binary);
  if (!in.read(bytes.data(), bytes.size())) {
    return {};
  }
  return std::string(bytes.data(), bytes.size());
}

}  // namespace

OpenedFileKind KindOfOpenedFile(const std::string& path) {
  const std::string extension = ExtensionOf(std::filesystem::path(path).filename().string());
  if (EqualsIgnoringCase(extension, "fpk")) {
    return OpenedFileKind::kFreePackage;
  }
  if (EqualsIgnoringCase(extension, "zpk")) {
    return OpenedFileKind::kCommercialPackage;
  }
  if (EqualsIgnoringCase(extension, "zqt")) {
    return OpenedFileKind::kPatch;
  }
  const std::string magic = MagicOf(path);
  if (magic == kPackageMagic) {
    return OpenedFileKind::kFreePackage;
  }
  if (magic == kCommercialMagic) {
    return OpenedFileKind::kCommercialPackage;
  }
  if (magic == kPatchMagic) {
    return OpenedFileKind::kPatch;
  }
  return OpenedFileKind::kUnknown;
}

void OpenFileFromDesktop(DeviceOperations& ops, Settings& settings,
                         const std::filesystem::path& programFolder, const std::string& path) {
  const OpenedFileKind kind = KindOfOpenedFile(path);
  switch (kind) {
    case OpenedFileKind::kFreePackage:
    case OpenedFileKind::kCommercialPackage: {
      // As "&Install" after its dialog: the folder is remembered once installed.
      if (kind == OpenedFileKind::kFreePackage ? InstallFreePackage(ops, path, true)
                                               : InstallCommercialPackage(ops, path, true)) {
        settings.SetString("PATH", "Package", FolderOfFile(path));
      }
      return;
    }
    case OpenedFileKind::kPatch:
      PatchChosenFile(ops, settings, programFolder, path);
      return;
    case OpenedFileKind::kUnknown:
      ops.Ui().ShowMessage(std::string(kUnknownFileMessage));
      return;
  }
}

}  // namespace zq
