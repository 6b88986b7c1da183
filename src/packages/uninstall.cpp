#include "packages/uninstall.h"

#include "packages/installed_programs.h"

namespace zq {

bool UninstallSelected(DeviceOperations& ops, const std::optional<std::string>& selected) {
  UserInterface& ui = ops.Ui();
  if (!selected) {
    ui.ShowMessage("please select an application to uninstall");
    return false;
  }
  if (ui.Ask("do you REALLY want to uninstall this application?", Buttons::YesNo) != Answer::Yes) {
    return false;
  }
  const auto targets = LocateProgram(*selected);
  if (!targets) {
    return false;
  }
  if (!ops.RemoveRemoteItems({targets->executable, targets->dataFolder}, true)) {
    return false;
  }
  ui.ShowMessage("uninstalled successfully");
  return true;
}

bool BackUpSelected(DeviceOperations& ops, const std::optional<std::string>& selected,
                    const std::filesystem::path& programFolder) {
  UserInterface& ui = ops.Ui();
  if (!selected) {
    ui.ShowMessage("please select an application to back up");
    return false;
  }
  const auto chosen = ui.ChooseFolder("select folder", (programFolder / "backup").string());
  if (!chosen) {
    return false;
  }
  const auto targets = LocateProgram(*selected);
  if (!targets) {
    return false;
  }
  // A PC target folder ends in its separator.
  std::string pcTarget = std::filesystem::path(*chosen).string();
  if (pcTarget.empty() || pcTarget.back() != std::filesystem::path::preferred_separator) {
    pcTarget += std::filesystem::path::preferred_separator;
  }
  if (!ops.DownloadItems({targets->executable, targets->dataFolder}, pcTarget, true)) {
    return false;
  }
  ui.ShowMessage("backed up successfully");
  return true;
}

const char* ProgramActionCaption(ProgramAction action) {
  return action == ProgramAction::Uninstall ? "uninstall" : "backup";
}

}  // namespace zq
