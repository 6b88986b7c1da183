#include "app/rules/startup_steps.h"

#include <filesystem>
#include <system_error>

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

bool CreateProgramFolders(std::string_view programFolder) {
  if (programFolder.empty()) {
    return false;  // no folder of its own: nothing to make
  }
  bool made = true;
  for (const char* name : {"zpk", "package", "zqt", "mp3"}) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(programFolder) / name;
    std::filesystem::create_directories(folder, error);
    made = made && std::filesystem::is_directory(folder, error);
  }
  return made;
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
