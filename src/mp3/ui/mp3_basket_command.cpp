#include "mp3/ui/mp3_basket_command.h"

#include <cstdint>

#include "mp3/mp3_basket.h"
#include "mp3/ui/cmp3_basket_dlg.h"
#include "operations/device_operations.h"

namespace zq {

std::unique_ptr<CMp3BasketDlg> OpenMp3Basket(UserInterface& ui, DeviceOperations& operations,
                                             Settings& settings, const std::string& programFolder,
                                             const std::string& browsedFolder, QWidget* parent) {
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  const bool known = operations.ShowDiskInfo(total, used, free);
  return std::make_unique<CMp3BasketDlg>(ui, settings, operations, programFolder,
                                         Mp3Basket::FreeSpaceForBasket(known, free),
                                         Mp3Basket::ConsoleFolderLabel(browsedFolder), parent);
}

void OnMp3Basket(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                 const std::string& programFolder, const std::string& browsedFolder,
                 QWidget* parent) {
  const auto dialog = OpenMp3Basket(ui, operations, settings, programFolder, browsedFolder, parent);
  dialog->exec();
}

}  // namespace zq
