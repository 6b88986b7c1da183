#include "app/frame_wiring.h"

#include "app/cmain_frame.h"
#include "mp3/ui/mp3_basket_command.h"
#include "operations/device_operations.h"
#include "packages/install.h"
#include "packages/opened_file.h"
#include "packages/patch.h"
#include "packages/ui/uninstall_dlg.h"
#include "views/czq61_view.h"

namespace zq {

void WireFrameCommands(CMainFrame& frame, UserInterface& ui, DeviceOperations& operations,
                       Settings& settings, const std::string& programFolder) {
  FrameCommands& commands = frame.Commands();
  const std::string* folder = &programFolder;
  CMainFrame* window = &frame;
  commands.onInstall = [&operations, &settings, folder] {
    OnInstall(operations, settings, *folder);
  };
  commands.onPatch = [&operations, &settings, folder] { OnPatch(operations, settings, *folder); };
  commands.onUninstall = [&operations, folder, window] {
    OnUninstall(operations, *folder, window);
  };
  commands.onBackUp = [&operations, folder, window] { OnBackUp(operations, *folder, window); };
  commands.onInstallPackage = [&operations](const std::string& path) {
    InstallCommercialPackage(operations, path, true);
  };
  commands.onOpenFile = [&operations, &settings, folder](const std::string& path) {
    OpenFileFromDesktop(operations, settings, *folder, path);
  };
  commands.onMp3Basket = [&ui, &operations, &settings, folder, window] {
    OnMp3Basket(ui, operations, settings, *folder, window->List()->CurrentPath(), window);
  };
}

}  // namespace zq
