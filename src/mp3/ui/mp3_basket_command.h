#pragma once

#include <memory>
#include <string>

class QWidget;

namespace zq {

class CMp3BasketDlg;
class DeviceOperations;
class Settings;
class UserInterface;

// The opening command "&MP3 Basket": asks the console for its disk space
// (which also fills the status bar), then builds the basket dialog with the
// free bytes and the console folder label taken from `browsedFolder`, the
// folder the explorer shows. When the disk query fails it has shown its
// message and the dialog still opens, with no free space.
std::unique_ptr<CMp3BasketDlg> OpenMp3Basket(UserInterface& ui, DeviceOperations& operations,
                                             Settings& settings, const std::string& programFolder,
                                             const std::string& browsedFolder, QWidget* parent);

// The same, run modally until the person closes it.
void OnMp3Basket(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                 const std::string& programFolder, const std::string& browsedFolder,
                 QWidget* parent);

}  // namespace zq
