#include "packages/install.h"

#include "packages/archive_reader.h"
#include "packages/commercial_package.h"
#include "packages/existence_check.h"
#include "packages/hide_progress.h"
#include "packages/package_paths.h"
#include "platform/codepage.h"

namespace zq {
namespace {

constexpr const char* kGameFolder = "zq:\\game";

// The messages of a package file that cannot be read, free or commercial.
const char* PackageReadMessage(ArchiveStatus result) {
  switch (result) {
    case archive_status::kBadMagic:
      return "invalid file format";
    case archive_status::kOpenFailed:
      return "failed to open file";
    case archive_status::kShortRead:
      return "failed to read data from file";
    default:
      return "unknown error has occurred";
  }
}

bool InstallFreeEntry(DeviceOperations& ops, const std::string& root, const ArchiveEntry& entry) {
  const std::string folder = root + entry.path;
  const std::string full = folder + "\\" + entry.name;
  if (entry.IsFolder()) {
    bool found = false;
    if (!CheckEntryExists(ops, folder + "\\", entry.name, true, found)) {
      return false;
    }
    return found || ops.CreateRemoteFolder(full, false);
  }
  if (entry.IsFile()) {
    // An existing file is sent all the same; the card decides.
    bool found = false;
    if (!CheckEntryExists(ops, folder + "\\", entry.name, false, found)) {
      return false;
    }
    if (!ops.UploadBuffer(entry.Data(), folder, entry.name, false)) {
      ops.Ui().ShowMessage("failed to send file");
      return false;
    }
  }
  return true;
}

}  // namespace

void OnInstall(DeviceOperations& ops, Settings& settings,
               const std::filesystem::path& programFolder) {
  FileDialogRequest request;
  request.title = "Open";
  request.filters = {
      {"all available ZQ61 package files (*zpk, *.fpk)", "*.zpk;*.fpk"},
      {"ZQ61 commercial package file (*.zpk)", "*.zpk"},
      {"ZQ61 free package file (*.fpk)", "*.fpk"},
  };
  request.defaultExtension = "zpk";
  request.startFolder =
      StartFolder(settings.GetString("PATH", "Package"), programFolder, "package");

  const auto chosen = ops.Ui().ChooseOpenFile(request);
  if (chosen) {
    InstallChosenFile(ops, settings, *chosen);
  }
}

void InstallChosenFile(DeviceOperations& ops, Settings& settings, const std::string& chosen) {
  const std::string extension = ExtensionOf(chosen);
  if (EqualsIgnoringCase(extension, "zpk")) {
    if (!InstallCommercialPackage(ops, chosen, true)) {
      return;
    }
  } else if (EqualsIgnoringCase(extension, "fpk")) {
    if (!InstallFreePackage(ops, chosen, true)) {
      return;
    }
  }
  settings.SetString("PATH", "Package", FolderOfFile(chosen));
}

bool InstallFreePackage(DeviceOperations& ops, const std::string& path, bool hideAfterwards) {
  UserInterface& ui = ops.Ui();
  HideProgressOnReturn hide(ui, hideAfterwards);

  PackageArchive archive;
  const ArchiveStatus opened = archive.Open(path);
  if (opened != archive_status::kOk) {
    ui.ShowMessage(PackageReadMessage(opened));
    return false;
  }
  const std::string title = Cp949ToUtf8(archive.Header().title);
  if (ui.Ask("do you want to install '" + title + "'?", Buttons::YesNo) != Answer::Yes) {
    return false;
  }

  ui.ShowProgress();
  const std::string& root = archive.Header().root;
  for (const ArchiveEntry& entry : archive.Entries()) {
    if (!InstallFreeEntry(ops, root, entry)) {
      return false;
    }
  }
  return true;
}

bool InstallCommercialPackage(DeviceOperations& ops, const std::string& path, bool hideAfterwards) {
  // Every transfer below shows and hides the progress window itself.
  UserInterface& ui = ops.Ui();
  CommercialPackage package;
  const ArchiveStatus loaded = package.Load(path);
  if (loaded != archive_status::kOk) {
    ui.ShowMessage(PackageReadMessage(loaded));
    return false;
  }
  const std::string title = Cp949ToUtf8(package.Title());
  if (ui.Ask("ready to install '" + title + "'.\ndo you want to progress?", Buttons::YesNo) !=
      Answer::Yes) {
    return false;
  }

  for (const ArchiveEntry& entry : package.Entries()) {
    if (entry.IsFolder()) {
      // The path is the folder's full console path; an existing folder makes
      // CreateRemoteFolder refuse, as it says.
      if (!ops.CreateRemoteFolder(entry.path, true)) {
        return false;
      }
    } else if (entry.IsFile()) {
      if (!ops.UploadBuffer(entry.Data(), entry.path, entry.name, true)) {
        return false;
      }
    }
  }
  if (!ops.UploadBuffer(package.Program1().Data(), kGameFolder, package.Program1().name, true)) {
    return false;
  }
  if (!ops.UploadBuffer(package.Program2().Data(), package.TargetFolder(), package.Program2().name,
                        true)) {
    return false;
  }
  if (hideAfterwards) {
    ui.HideProgress();
  }
  ui.ShowMessage("installed successfully");
  return true;
}

}  // namespace zq
