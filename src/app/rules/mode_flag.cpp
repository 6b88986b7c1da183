#include "app/rules/mode_flag.h"

#include <string>

namespace zq {

void ModeFlag::OnActivate(const Settings& settings) {
  if (!firstActivation_) {
    return;
  }
  value_ = settings.GetInt(std::string(kModeSection), std::string(kModeEntry), 1);
  firstActivation_ = false;
}

void ModeFlag::OnClose(Settings& settings) const {
  settings.SetInt(std::string(kModeSection), std::string(kModeEntry), value_);
}

bool RefreshAfterModeDialog(bool zqMode, std::string_view currentPath) {
  return zqMode && currentPath.size() >= 2 && (currentPath[0] == 'z' || currentPath[0] == 'Z') &&
         (currentPath[1] == 'q' || currentPath[1] == 'Q');
}

}  // namespace zq
