#pragma once

#include <string>

namespace zq {

class CMainFrame;
class DeviceOperations;
class Settings;
class UserInterface;

// Fills the frame's commands that open the dialogs of packages, patches,
// uninstall, back up and the MP3 basket. `programFolder` is read when a
// command runs, so it may be set after the wiring.
void WireFrameCommands(CMainFrame& frame, UserInterface& ui, DeviceOperations& operations,
                       Settings& settings, const std::string& programFolder);

}  // namespace zq
