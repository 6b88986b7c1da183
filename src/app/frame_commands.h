#pragma once

#include <functional>
#include <string>

namespace zq {

// The frame's commands that open the dialogs of packages, patches and the MP3
// basket. Each stays empty (and its command does nothing) until the window
// code of those dialogs fills it in.
struct FrameCommands {
  std::function<void()> onInstall;    // "&Install"
  std::function<void()> onPatch;      // "&Patch"
  std::function<void()> onUninstall;  // "&Uninstall"
  std::function<void()> onBackUp;     // "&Back Up"
  std::function<void()> onMp3Basket;  // "&MP3 Basket"
  // A double click on a PC file whose extension is "zpk": its full path.
  std::function<void(const std::string& zpkPath)> onInstallPackage;
  // A file the desktop opened with the program: installed (a package) or
  // applied (a patch file) as if chosen in the command's file dialog.
  std::function<void(const std::string& path)> onOpenFile;
};

}  // namespace zq
