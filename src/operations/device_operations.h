#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/link_session.h"
#include "operations/status_messages.h"
#include "operations/user_interface.h"

namespace zq {

// The user-level operations on the console: each shows its own messages
// through the user interface and returns true on success.
//
// Paths: console paths begin with "zq" (ignoring case), use backslashes and
// are CP949 bytes; PC paths are UTF-8 in the platform's own form, a folder
// ending in the platform's separator. `CopyList` entries follow the same
// rule (a folder ends in its separator, a file does not).
class DeviceOperations {
 public:
  DeviceOperations(LinkSession& link, UserInterface& ui);

  LinkSession& Link() { return link_; }
  UserInterface& Ui() { return ui_; }

  // Connect, disconnect and the disk-space display.
  bool ConnectDevice();
  bool DisconnectDevice();
  bool ShowDiskInfo(std::uint32_t& total, std::uint32_t& used, std::uint32_t& free);
  bool ShowDiskInfo();

  // The progress callbacks of every transfer; both return status::kGoOn.
  // The start record's name is a console name (CP949), shown in UTF-8. The
  // transfers below show the name the person knows instead (the PC name).
  int TransferStarted(const TransferStart& start);
  int TransferProgressed(const TransferProgress& progress);

  // Copy between PC and console. `target` ends in its separator. CopyItems
  // refuses a copy within one side; otherwise it reports failures by message,
  // refreshes the views and returns true.
  bool CopyItems(const std::vector<std::string>& copyList, const std::string& target);
  bool UploadItems(const std::vector<std::string>& copyList, const std::string& consoleTarget,
                   bool hideAfterwards);
  bool DownloadItems(const std::vector<std::string>& copyList, const std::string& pcTarget,
                     bool hideAfterwards);
  bool UploadFolder(const std::string& pcFolder, const std::string& consoleParent);
  bool DownloadFolder(const std::string& consoleFolder, const std::string& pcParent);
  bool UploadFile(const std::string& pcPath, const std::string& consoleFolder, bool hideAfterwards);
  // `fileName` is the PC name (UTF-8); one that could leave `pcFolder` ("..",
  // a separator) is refused. An existing PC file is replaced only once whole.
  bool DownloadFile(const std::string& consolePath, const std::string& pcFolder,
                    const std::string& fileName, bool hideAfterwards);
  // `fileName` and `displayName` are console names (CP949 bytes).
  bool UploadBuffer(std::span<const std::uint8_t> bytes, const std::string& consoleFolder,
                    const std::string& fileName, bool hideAfterwards);
  bool DownloadToMemory(const std::string& consolePath, const std::string& displayName,
                        bool hideAfterwards, std::vector<std::uint8_t>& out);

  // The card's 8.3 rules, checked on the name's CP949 bytes; each refusal is
  // shown as "%s\n%s : %s".
  bool CheckFileName(const std::string& pcFileName);
  bool CheckFolderNames(const std::string& pcFolderPath);

  // Folders, removal and format. The tree hooks (AddFolderNode,
  // RemoveFolderNode) run only once the console confirmed the change, with
  // the console path (CP949) followed by a backslash.
  bool CreateRemoteFolder(const std::string& fullPath, bool hideAfterwards);
  bool RemoveRemoteFile(const std::string& fullPath, bool hideAfterwards);
  bool RemoveRemoteFolder(const std::string& fullPathWithoutSeparator, bool hideAfterwards);
  bool RemoveRemoteItems(const std::vector<std::string>& removalList, bool hideAfterwards);
  bool FormatCardWithPrompt(bool hideAfterwards);

  // The PC file of the last file transfer that failed on the PC's side
  // (opening, reading, creating or writing it), with the system's reason
  // (errno, 0 when there is none); empty after a transfer that did not.
  struct PcFailure {
    std::string path;
    int error = 0;
  };
  const std::optional<PcFailure>& LastPcFailure() const { return pcFailure_; }

 private:
  // Remembers `path` as the failed PC file when `result` is a failure of the
  // PC's side of a transfer.
  void NotePcFailure(Status result, const std::string& path);
  // Shows the family's message for a failing status, hides the progress
  // window when asked, and returns false.
  bool Fail(StatusFamily family, Status status, bool hideAfterwards);
  bool FailWith(const std::string& message, bool hideAfterwards);
  void HideIf(bool hideAfterwards);
  // Animation kind 1, the window shown, the bar at 0: the start of every transfer.
  void PrepareTransferWindow();
  // The start callback of a transfer whose file the person knows as `shownName` (UTF-8).
  StartCallback StartShowing(std::string shownName);
  PacketCallback ProgressShowing();
  bool ReadDiskInfo(std::uint32_t& total, std::uint32_t& used, std::uint32_t& free);

  LinkSession& link_;
  UserInterface& ui_;
  std::optional<PcFailure> pcFailure_;
};

}  // namespace zq
