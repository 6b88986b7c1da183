// The basket window's gestures: each becomes a call on the basket model, and the lists
// and fields show what the model then holds.
#include "mp3/ui/cmp3_basket_dlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "mp3/genre_table.h"
#include "mp3/id3v2_copy.h"
#include "mp3/ui/basket_list_widget.h"
#include "mp3/ui/byte_limit_validator.h"
#include "mp3/ui/genre_combo.h"
#include "platform/codepage.h"
#include "views/czq_tree_view.h"
#include "views/refill_safe_selection.h"
#include "views/view_icons.h"

namespace zq {

namespace {

QString Qs(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

void CMp3BasketDlg::SetVolumes(std::vector<std::string> roots) {
  volumes_ = std::move(roots);
  FillPcList();
}

void CMp3BasketDlg::FillPcList() {
  pcList_->clear();
  pcFolder_->setText(Qs(basket_.Browser().Folder()));
  pcRows_ = basket_.Browser().List(volumes_);
  const ViewIcons& icons = ViewIcons::Get();
  for (const PcRow& row : pcRows_) {
    auto* item = new QTreeWidgetItem(pcList_, {Qs(row.name), Qs(row.sizeText)});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    switch (row.kind) {
      case PcRow::Kind::kParent:
        item->setIcon(0, icons.Program(RowIcon::Folder));
        break;
      case PcRow::Kind::kVolume:
        item->setIcon(0, icons.Drive());
        break;
      case PcRow::Kind::kFolder:
      case PcRow::Kind::kMp3File:
        item->setIcon(0, icons.ForPcEntry(QFileInfo(Qs(row.fullPath))));
        break;
    }
  }
}

void CMp3BasketDlg::FillBasketList() {
  basketList_->clear();
  for (const BasketRow& row : basket_.Rows()) {
    auto* item = new QTreeWidgetItem(
        basketList_, {Qs(row.pcFileName), Qs(Cp949ToUtf8(row.zqFileName)), Qs(row.path)});
    item->setIcon(0, stateIcons_[static_cast<std::size_t>(row.icon & 3)]);
  }
  if (const auto chosen = basket_.Chosen()) {
    basketList_->setCurrentItem(basketList_->topLevelItem(static_cast<int>(*chosen)));
  } else {
    basketList_->clearSelection();
  }
}

void CMp3BasketDlg::ShowFieldValues() {
  const FieldValues& fields = basket_.Fields();
  pcFile_->setText(Qs(fields.pcFile));
  consoleName_->setText(Qs(fields.consoleName));
  size_->setText(QString::number(fields.size));
  ShowTagFields(fields);
}

void CMp3BasketDlg::ShowTagFields(const FieldValues& fields) {
  title_->setText(Qs(fields.title));
  artist_->setText(Qs(fields.artist));
  album_->setText(Qs(fields.album));
  year_->setText(Qs(fields.year));
  genre_->setCurrentIndex(fields.genreSelection);
  comment_->setText(Qs(fields.comment));
}

void CMp3BasketDlg::EnableFields() {
  const bool enabled = basket_.FieldsEnabled();
  for (QLineEdit* edit : fieldEdits_) {
    edit->setReadOnly(!enabled);
  }
  for (QWidget* control : fieldControls_) {
    control->setEnabled(enabled);
  }
}

void CMp3BasketDlg::ShowTotal() {
  total_->setText(QString::number(basket_.Total()));
}

FieldValues CMp3BasketDlg::TakeFieldValues() const {
  FieldValues fields;
  fields.pcFile = pcFile_->text().toStdString();
  fields.consoleName = consoleName_->text().toStdString();
  fields.size = basket_.Fields().size;
  fields.title = title_->text().toStdString();
  fields.artist = artist_->text().toStdString();
  fields.album = album_->text().toStdString();
  fields.year = year_->text().toStdString();
  fields.genreSelection = genre_->currentIndex();
  fields.comment = comment_->text().toStdString();
  return fields;
}

void CMp3BasketDlg::OnPcDoubleClicked(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= pcRows_.size()) {
    return;
  }
  const PcRow& pcRow = pcRows_[static_cast<std::size_t>(row)];
  if (pcRow.kind == PcRow::Kind::kMp3File) {
    OnAdd();
    return;
  }
  if (basket_.Browser().Open(pcRow)) {
    FillPcList();
  }
}

void CMp3BasketDlg::OnAdd() {
  std::vector<std::string> names;
  for (int row = 0; row < pcList_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = pcList_->topLevelItem(row);
    if (item->isSelected()) {
      names.push_back(pcRows_[static_cast<std::size_t>(row)].name);
    }
  }
  basket_.AddFiles(names);
  FillBasketList();
  ShowTotal();
}

void CMp3BasketDlg::OnRemove() {
  const QList<QTreeWidgetItem*> selected = basketList_->selectedItems();
  if (selected.isEmpty()) {
    return;
  }
  OnBasketDoubleClicked(basketList_->indexOfTopLevelItem(selected.front()));
}

void CMp3BasketDlg::OnBasketDoubleClicked(int row) {
  if (row < 0) {
    return;
  }
  basket_.Remove(static_cast<std::size_t>(row));
  FillBasketList();
  ShowTotal();
  ShowFieldValues();
  EnableFields();
}

void CMp3BasketDlg::OnSetDefaultFolder() {
  basket_.SetThisFolderAsDefault();
}

void CMp3BasketDlg::OnBasketPressed(int row) {
  if (row < 0) {
    // On empty space the fields are disabled and keep their values.
    basket_.Choose(std::nullopt);
  } else {
    basket_.Choose(static_cast<std::size_t>(row));
    ShowFieldValues();
  }
  EnableFields();
}

void CMp3BasketDlg::OnRowDropped(int dragged, int target) {
  if (dragged < 0 || target < 0) {
    return;
  }
  basket_.MoveRow(static_cast<std::size_t>(dragged), static_cast<std::size_t>(target));
  FillBasketList();
}

void CMp3BasketDlg::OnCopyPcFileName() {
  if (basket_.FieldsEnabled()) {
    consoleName_->setText(Qs(basket_.CopyPcFileName()));
  }
}

void CMp3BasketDlg::OnCopyVersion2Info() {
  const std::optional<std::size_t> chosen = basket_.Chosen();
  if (!chosen || *chosen >= basket_.Rows().size()) {
    return;
  }
  const BasketRow& row = basket_.Rows()[*chosen];
  FieldValues fields = TakeFieldValues();
  if (!CopyVersion2Info(ui_, row.path + '/' + row.pcFileName, fields)) {
    return;
  }
  // Into the fields only: Apply stores them, as it stores typed text.
  ShowTagFields(fields);
}

void CMp3BasketDlg::OnApply() {
  if (basket_.Apply(TakeFieldValues())) {
    FillBasketList();
  }
}

void CMp3BasketDlg::OnReset() {
  if (!basket_.FieldsEnabled()) {
    return;
  }
  basket_.Reset();
  FillBasketList();
  ShowFieldValues();
}

void CMp3BasketDlg::OnBackUp() {
  basket_.BackUp();
}

void CMp3BasketDlg::OnSend() {
  basket_.Send(operations_);
}

void CMp3BasketDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // The edits already hold their limits; nothing else is taken over.
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace zq
