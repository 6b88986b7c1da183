#include "packages/ui/uninstall_dlg.h"

#include <QByteArray>
#include <QDialogButtonBox>
#include <QFont>
#include <QListWidget>
#include <QString>
#include <QVBoxLayout>
#include <utility>

#include "packages/installed_programs.h"
#include "platform/codepage.h"

namespace zq {
namespace {

constexpr int kCardNameRole = Qt::UserRole;

void ShowProgramList(DeviceOperations& ops, const std::filesystem::path& programFolder,
                     QWidget* parent, ProgramAction mode) {
  const auto names = ListInstalledPrograms(ops);
  if (!names) {
    return;
  }
  CUninstallDlg dialog(*names, mode, ops, programFolder, parent);
  dialog.exec();
}

}  // namespace

CUninstallDlg::CUninstallDlg(const std::vector<std::string>& names, ProgramAction mode,
                             DeviceOperations& ops, std::filesystem::path programFolder,
                             QWidget* parent)
    : QDialog(parent), mode_(mode), ops_(ops), programFolder_(std::move(programFolder)) {
  setFont(QFont(QStringLiteral("Verdana"), 8));
  setWindowTitle(QString::fromUtf8(ProgramActionCaption(mode_)));

  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Sorted as a list box sorts, ignoring case; Qt's own sort would not.
  for (const std::string& name : InListOrder(names)) {
    auto* item = new QListWidgetItem(QString::fromStdString(Cp949ToUtf8(name)));
    item->setData(kCardNameRole, QByteArray::fromStdString(name));
    list_->addItem(item);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CUninstallDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CUninstallDlg::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(220, 240);
}

std::optional<std::string> CUninstallDlg::SelectedName() const {
  const auto selected = list_->selectedItems();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  return selected.front()->data(kCardNameRole).toByteArray().toStdString();
}

void CUninstallDlg::accept() {
  const bool done = mode_ == ProgramAction::Uninstall
                        ? UninstallSelected(ops_, SelectedName())
                        : BackUpSelected(ops_, SelectedName(), programFolder_);
  if (done) {
    QDialog::accept();
  }
}

void OnUninstall(DeviceOperations& ops, const std::filesystem::path& programFolder,
                 QWidget* parent) {
  ShowProgramList(ops, programFolder, parent, ProgramAction::Uninstall);
}

void OnBackUp(DeviceOperations& ops, const std::filesystem::path& programFolder, QWidget* parent) {
  ShowProgramList(ops, programFolder, parent, ProgramAction::BackUp);
}

}  // namespace zq
