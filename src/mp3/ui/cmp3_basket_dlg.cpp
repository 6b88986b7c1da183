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

constexpr std::size_t kConsoleNameLimit = 8;
constexpr std::size_t kTextLimit = 30;
constexpr std::size_t kYearLimit = 4;

QString Qs(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// The roots of the platform's volumes as the drive rows name them: without
// their trailing separator, except the root of all.
std::vector<std::string> PlatformVolumeRoots() {
  std::vector<std::string> roots;
  for (const DriveNode& drive : CZQTreeView::PlatformDrives()) {
    std::string root = drive.rootPath;
    if (root.size() > 1 && root.back() == '/') {
      root.pop_back();
    }
    roots.push_back(root);
  }
  return roots;
}

QTreeWidget* MakeReportList(QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  return list;
}

void SetColumns(QTreeWidget* list, const QStringList& columns, const std::vector<int>& widths) {
  list->setHeaderLabels(columns);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    list->setColumnWidth(static_cast<int>(i), widths[i]);
  }
}

QLineEdit* ReadOnlyEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  return edit;
}

}  // namespace

CMp3BasketDlg::CMp3BasketDlg(UserInterface& ui, Settings& settings, DeviceOperations& operations,
                             const std::string& programFolder, std::int64_t smcFree,
                             const std::string& consoleFolderLabel, QWidget* parent)
    : QDialog(parent),
      basket_(ui, settings, programFolder, smcFree, consoleFolderLabel),
      ui_(ui),
      operations_(operations),
      volumes_(PlatformVolumeRoots()),
      stateIcons_{QIcon(), QIcon(), QIcon(), QIcon()} {
  EnsureProgramResources();
  // Indexed by the entry's state flags: ready, no tag, no console name, both.
  stateIcons_ = {QIcon(":/zq61/icons/basket_ready.svg"), QIcon(":/zq61/icons/basket_no_tag.svg"),
                 QIcon(":/zq61/icons/basket_no_name.svg"), QIcon(":/zq61/icons/basket_both.svg")};
  setWindowTitle(QStringLiteral("MP3 Basket"));
  setFont(QFont(QStringLiteral("Verdana"), 8));

  auto* layout = new QGridLayout(this);
  layout->addWidget(MakePcSide(), 0, 0);
  layout->addWidget(MakeBasketSide(), 0, 1);
  layout->addWidget(MakeTagGroup(), 1, 0);
  layout->addWidget(MakeSpaceAndButtons(), 1, 1);
  layout->setRowStretch(0, 1);

  for (QPushButton* button : buttons_) {
    // Enter closes the dialog wherever the focus is.
    button->setAutoDefault(false);
  }
  consoleFolder_->setText(Qs(Cp949ToUtf8(basket_.ConsoleFolder())));
  ShowTotal();
  free_->setText(QString::number(basket_.SmcFree()));
  EnableFields();
  FillPcList();
  resize(760, 660);
}

CMp3BasketDlg::~CMp3BasketDlg() = default;

QPushButton* CMp3BasketDlg::AddButton(const QString& text) {
  auto* button = new QPushButton(text, this);
  buttons_.push_back(button);
  return button;
}

QPushButton* CMp3BasketDlg::Button(const QString& text) const {
  for (QPushButton* button : buttons_) {
    if (button->text() == text) {
      return button;
    }
  }
  return nullptr;
}

QTreeWidget* CMp3BasketDlg::BasketList() const {
  return basketList_;
}

QWidget* CMp3BasketDlg::MakePcSide() {
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  auto* heading = new QHBoxLayout;
  heading->addWidget(new QLabel(QStringLiteral("My Computer"), side));
  heading->addStretch();
  QPushButton* setDefault = AddButton(QStringLiteral("set this folder as default"));
  connect(setDefault, &QPushButton::clicked, this, [this] { OnSetDefaultFolder(); });
  heading->addWidget(setDefault);
  column->addLayout(heading);
  pcFolder_ = ReadOnlyEdit(side);
  column->addWidget(pcFolder_);

  auto* lists = new QHBoxLayout;
  pcList_ = MakeReportList(side);
  pcList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  pcList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  RefillSafeSelection::Attach(pcList_);
  SetColumns(pcList_, {QStringLiteral("file name"), QStringLiteral("size")}, {150, 80});
  pcList_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  connect(pcList_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OnPcDoubleClicked(pcList_->indexOfTopLevelItem(item)); });
  lists->addWidget(pcList_, 1);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  QPushButton* add = AddButton(QStringLiteral(">"));
  QPushButton* remove = AddButton(QStringLiteral("<"));
  for (QPushButton* arrow : {add, remove}) {
    arrow->setFixedWidth(32);
    arrows->addWidget(arrow);
  }
  arrows->addStretch();
  connect(add, &QPushButton::clicked, this, [this] { OnAdd(); });
  connect(remove, &QPushButton::clicked, this, [this] { OnRemove(); });
  lists->addLayout(arrows);
  column->addLayout(lists, 1);
  return side;
}

QWidget* CMp3BasketDlg::MakeBasketSide() {
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(new QLabel(QStringLiteral("MP3 file list"), side));
  consoleFolder_ = ReadOnlyEdit(side);
  column->addWidget(consoleFolder_);
  basketList_ = new BasketListWidget(side);
  SetColumns(
      basketList_,
      {QStringLiteral("file name(PC)"), QStringLiteral("file name(ZQ)"), QStringLiteral("path")},
      {100, 100, 200});
  connect(basketList_, &BasketListWidget::rowPressed, this,
          [this](int row) { OnBasketPressed(row); });
  connect(basketList_, &BasketListWidget::rowDropped, this,
          [this](int dragged, int target) { OnRowDropped(dragged, target); });
  connect(basketList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    OnBasketDoubleClicked(basketList_->indexOfTopLevelItem(item));
  });
  column->addWidget(basketList_, 1);
  return side;
}

QGroupBox* CMp3BasketDlg::MakeTagGroup() {
  auto* group = new QGroupBox(QStringLiteral("MP3 information  (version 1)"), this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  const auto label = [group, grid, &row](const char* text) {
    grid->addWidget(new QLabel(QString::fromUtf8(text), group), row, 0);
  };
  const auto limitedEdit = [this, group](std::size_t bytes) {
    auto* edit = new QLineEdit(group);
    edit->setValidator(new ByteLimitValidator(bytes, edit));
    fieldEdits_.push_back(edit);
    return edit;
  };

  label("File name");
  pcFile_ = ReadOnlyEdit(group);
  grid->addWidget(pcFile_, row++, 1, 1, 3);

  label("File name");
  consoleName_ = limitedEdit(kConsoleNameLimit);
  grid->addWidget(consoleName_, row, 1);
  grid->addWidget(new QLabel(QStringLiteral(".mp3"), group), row, 2);
  QPushButton* copyName = AddButton(QStringLiteral("copy PC file name"));
  connect(copyName, &QPushButton::clicked, this, [this] { OnCopyPcFileName(); });
  grid->addWidget(copyName, row++, 3);

  label("size");
  size_ = ReadOnlyEdit(group);
  size_->setAlignment(Qt::AlignRight);
  grid->addWidget(size_, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("Bytes"), group), row++, 2);

  label("Title");
  title_ = limitedEdit(kTextLimit);
  grid->addWidget(title_, row++, 1, 1, 3);
  label("Artist");
  artist_ = limitedEdit(kTextLimit);
  grid->addWidget(artist_, row++, 1, 1, 3);
  label("Album");
  album_ = limitedEdit(kTextLimit);
  grid->addWidget(album_, row++, 1, 1, 3);
  label("Year");
  year_ = limitedEdit(kYearLimit);
  grid->addWidget(year_, row, 1);

  grid->addWidget(new QLabel(QStringLiteral("Genre"), group), row, 2);
  genre_ = new GenreCombo(group);
  grid->addWidget(genre_, row++, 3);

  label("Comment");
  comment_ = new QLineEdit(group);  // no limit in the field; Apply cuts to 30 bytes
  fieldEdits_.push_back(comment_);
  grid->addWidget(comment_, row++, 1, 1, 3);

  auto* actions = new QHBoxLayout;
  QPushButton* apply = AddButton(QStringLiteral("&Apply"));
  QPushButton* reset = AddButton(QStringLiteral("&Reset"));
  QPushButton* backUp = AddButton(QStringLiteral("&Back up..."));
  QPushButton* copyV2 = AddButton(QStringLiteral("Copy ver.2 info"));
  connect(copyV2, &QPushButton::clicked, this, [this] { OnCopyVersion2Info(); });
  connect(apply, &QPushButton::clicked, this, [this] { OnApply(); });
  connect(reset, &QPushButton::clicked, this, [this] { OnReset(); });
  connect(backUp, &QPushButton::clicked, this, [this] { OnBackUp(); });
  for (QPushButton* button : {apply, reset, backUp, copyV2}) {
    actions->addWidget(button);
  }
  grid->addLayout(actions, row, 0, 1, 4);

  fieldControls_ = {genre_, copyName, apply, reset, backUp, copyV2};
  return group;
}

QWidget* CMp3BasketDlg::MakeSpaceAndButtons() {
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox(QStringLiteral("SMC space"), side);
  auto* grid = new QGridLayout(group);
  total_ = new QLabel(group);
  free_ = new QLabel(group);
  int row = 0;
  for (auto [caption, value] : {std::pair{"MP3 :", total_}, std::pair{"SMC :", free_}}) {
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(new QLabel(QString::fromLatin1(caption), group), row, 0);
    grid->addWidget(value, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("bytes"), group), row++, 2);
  }
  grid->setColumnStretch(1, 1);
  column->addWidget(group);
  column->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* help = AddButton(QStringLiteral("&Help"));
  help->setEnabled(false);
  QPushButton* send = AddButton(QStringLiteral("&Send"));
  QPushButton* close = AddButton(QStringLiteral("&Close"));
  connect(send, &QPushButton::clicked, this, [this] { OnSend(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* button : {help, send, close}) {
    buttons->addWidget(button);
  }
  column->addLayout(buttons);
  return side;
}

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
  title_->setText(Qs(fields.title));
  artist_->setText(Qs(fields.artist));
  album_->setText(Qs(fields.album));
  year_->setText(Qs(fields.year));
  genre_->setCurrentIndex(fields.genreSelection);
  comment_->setText(Qs(fields.comment));
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
