// The basket window's widgets: built once, laid out, their signals wired.
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

}  // namespace zq
