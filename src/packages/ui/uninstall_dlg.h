#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "operations/device_operations.h"
#include "packages/uninstall.h"

class QListWidget;

namespace zq {

// The installed-programs dialog of "&Uninstall" and "&Back Up": a sorted
// list of the programs on the card; OK uninstalls or backs up the selected
// one and closes the dialog only when that succeeded.
class CUninstallDlg : public QDialog {
  Q_OBJECT

 public:
  // `names` are card names (CP949 bytes), shown converted and kept as they are.
  CUninstallDlg(const std::vector<std::string>& names, ProgramAction mode, DeviceOperations& ops,
                std::filesystem::path programFolder, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  // The card name of the selected row, nullopt when none is selected.
  std::optional<std::string> SelectedName() const;

 public slots:
  void accept() override;

 private:
  ProgramAction mode_;
  DeviceOperations& ops_;
  std::filesystem::path programFolder_;
  QListWidget* list_ = nullptr;
};

// The "&Uninstall" and "&Back Up" commands: list the programs on the card
// and show the dialog in its mode. A failed listing shows its message and
// opens no dialog.
void OnUninstall(DeviceOperations& ops, const std::filesystem::path& programFolder,
                 QWidget* parent);
void OnBackUp(DeviceOperations& ops, const std::filesystem::path& programFolder, QWidget* parent);

}  // namespace zq
