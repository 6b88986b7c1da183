#include "packages/patch.h"

#include <algorithm>
#include <system_error>

#include "packages/archive_reader.h"
#include "packages/existence_check.h"
#include "packages/hide_progress.h"
#include "packages/package_paths.h"
#include "platform/codepage.h"
#include "platform/replace_file.h"

namespace zq {
namespace {

constexpr const char* kReadFailed = "an error occurred while reading the patch file.";

const char* PatchReadMessage(ArchiveStatus result) {
  switch (result) {
    case archive_status::kBadMagic:
      return "invali patch file";
    case archive_status::kOpenFailed:
      return "an error occurred while opening the patch file.";
    case archive_status::kShortRead:
      return kReadFailed;
    default:
      return "unknown error occurred.";
  }
}

// Creates one level of the PC backup tree; a folder already there is fine.
bool CreateBackupFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  return std::filesystem::is_directory(folder, error);
}

class PatchRun {
 public:
  PatchRun(DeviceOperations& ops, std::string root, std::filesystem::path backupFolder)
      : ops_(ops), ui_(ops.Ui()), root_(std::move(root)), backupFolder_(std::move(backupFolder)) {}

  bool Apply(const ArchiveEntry& entry) {
    if (!entry.IsFolder() && !entry.IsFile()) {
      return true;
    }
    const auto backup = BackupPathFor(backupFolder_, entry.path, entry.name);
    if (!backup) {
      ui_.ShowMessage(kReadFailed);
      return false;
    }
    const std::string folder = root_ + entry.path;
    const std::string full = folder + "\\" + entry.name;
    return entry.IsFolder() ? ApplyFolder(entry, folder, full, *backup)
                            : ApplyFile(entry, folder, full, *backup);
  }

 private:
  bool ApplyFolder(const ArchiveEntry& entry, const std::string& folder, const std::string& full,
                   const std::filesystem::path& backup) {
    bool found = false;
    if (!CheckEntryExists(ops_, folder + "\\", entry.name, true, found)) {
      return false;
    }
    if (!found && !ops_.CreateRemoteFolder(full, false)) {
      return false;
    }
    if (!CreateBackupFolder(backup)) {
      ui_.ShowMessage("an error occurred while creating folder on PC");
      return false;
    }
    return true;
  }

  bool ApplyFile(const ArchiveEntry& entry, const std::string& folder, const std::string& full,
                 const std::filesystem::path& backup) {
    bool found = false;
    if (!CheckEntryExists(ops_, folder + "\\", entry.name, false, found, UnknownExistence::kStop)) {
      return false;
    }
    if (found) {
      std::vector<std::uint8_t> old;
      if (!ops_.DownloadToMemory(full, entry.name, false, old)) {
        return false;
      }
      if (std::ranges::equal(old, entry.data)) {
        // The card holds this very content already: nothing to keep, remove
        // or send.
        return true;
      }
      if (!BackUp(backup, old)) {
        return false;
      }
      if (!ops_.RemoveRemoteFile(full, false)) {
        ui_.ShowMessage("failed to delete file");
        return false;
      }
    }
    if (!ops_.UploadBuffer(entry.Data(), folder, entry.name, false)) {
      ui_.ShowMessage("failed to send file");
      return false;
    }
    return true;
  }

  // The old file replaces an earlier backup only once it is written whole.
  bool BackUp(const std::filesystem::path& backup, const std::vector<std::uint8_t>& old) {
    switch (ReplaceFile(backup, old)) {
      case ReplaceResult::kOk:
        return true;
      case ReplaceResult::kCreateFailed:
        ui_.ShowMessage("an error occurred while creating file on PC");
        return false;
      case ReplaceResult::kWriteFailed:
        ui_.ShowMessage("an error occurred while writint to file on PC");
        return false;
    }
    return false;
  }

  DeviceOperations& ops_;
  UserInterface& ui_;
  std::string root_;
  std::filesystem::path backupFolder_;
};

}  // namespace

void OnPatch(DeviceOperations& ops, Settings& settings,
             const std::filesystem::path& programFolder) {
  FileDialogRequest request;
  request.title = "Open";
  request.filters = {{"ZQ61 patch file (*.zqt)", "*.zqt"}};
  request.defaultExtension = "zqt";
  request.startFolder = StartFolder(settings.GetString("PATH", "ZQT"), programFolder, "zqt");

  const auto patchPath = ops.Ui().ChooseOpenFile(request);
  if (patchPath) {
    PatchChosenFile(ops, settings, programFolder, *patchPath);
  }
}

void PatchChosenFile(DeviceOperations& ops, Settings& settings,
                     const std::filesystem::path& programFolder, const std::string& patchPath) {
  const auto backupFolder = ops.Ui().ChooseFolder("select folder where old files will be backed up",
                                                  programFolder.string());
  if (!backupFolder) {
    return;
  }
  if (!ApplyPatch(ops, patchPath, *backupFolder, true)) {
    return;
  }
  settings.SetString("PATH", "ZQT", FolderOfFile(patchPath));
}

bool ApplyPatch(DeviceOperations& ops, const std::string& patchPath,
                const std::filesystem::path& backupFolder, bool hideAfterwards) {
  UserInterface& ui = ops.Ui();
  HideProgressOnReturn hide(ui, hideAfterwards);

  PatchArchive archive;
  const ArchiveStatus opened = archive.Open(patchPath);
  if (opened != archive_status::kOk) {
    ui.ShowMessage(PatchReadMessage(opened));
    return false;
  }
  // Every entry is checked before the question, so that a hostile entry
  // anywhere in the table leaves the card and the PC as they were.
  for (const ArchiveEntry& entry : archive.Entries()) {
    if ((entry.IsFolder() || entry.IsFile()) &&
        !BackupPathFor(backupFolder, entry.path, entry.name)) {
      ui.ShowMessage(kReadFailed);
      return false;
    }
  }
  const std::string title = Cp949ToUtf8(archive.Header().title);
  if (ui.Ask("ready to patch '" + title + "'\ndo you want to progress?", Buttons::YesNo) !=
      Answer::Yes) {
    return false;
  }

  ui.ShowProgress();
  PatchRun run(ops, archive.Header().root, backupFolder);
  for (const ArchiveEntry& entry : archive.Entries()) {
    if (!run.Apply(entry)) {
      return false;
    }
  }
  return true;
}

}  // namespace zq
