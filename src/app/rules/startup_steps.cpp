#include "app/rules/startup_steps.h"

namespace zq {

std::string ProgramFolderFromModulePath(std::string_view modulePath) {
  const auto last = modulePath.find_last_of("\\/");
  if (last == std::string_view::npos) {
    return {};
  }
  return std::string(modulePath.substr(0, last + 1));
}

std::string WithTrailingSeparator(std::string_view folder, char separator) {
  std::string result(folder);
  if (!result.empty() && result.back() != separator) {
    result += separator;
  }
  return result;
}

void WriteStartupSettings(Settings& settings, std::string_view programFolder) {
  if (settings.GetString("PATH", "ZPK", "").empty()) {
    settings.SetString("PATH", "ZPK", std::string(programFolder) + "zpk");
  }
  settings.SetString("version", "version", std::string(kVersionValue));
}

bool ConnectAtStartup(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                      std::string_view programFolder) {
  ui.ShowMessage(std::string(kConnectPrompt));
  operations.Link().Reset();
  if (!operations.ConnectDevice()) {
    return false;
  }
  operations.ShowDiskInfo();
  WriteStartupSettings(settings, programFolder);
  return true;
}

}  // namespace zq
