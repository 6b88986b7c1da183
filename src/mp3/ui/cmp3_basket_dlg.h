#pragma once

#include <QDialog>
#include <QIcon>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mp3/mp3_basket.h"
#include "mp3/pc_folder_browser.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zq {

class BasketListWidget;
class DeviceOperations;
class Settings;
class UserInterface;

// The "MP3 Basket" dialog: the PC's folders and MP3 files on the left, the
// basket on the right, the tag fields of the chosen entry below. It only
// shows the basket model and turns gestures into its calls; every rule, and
// every message, lives in Mp3Basket.
class CMp3BasketDlg : public QDialog {
  Q_OBJECT

 public:
  // `smcFree` is the card's free space; `consoleFolderLabel` (CP949) is
  // shown above the basket; `programFolder` ends in '/'.
  CMp3BasketDlg(UserInterface& ui, Settings& settings, DeviceOperations& operations,
                const std::string& programFolder, std::int64_t smcFree,
                const std::string& consoleFolderLabel, QWidget* parent = nullptr);
  ~CMp3BasketDlg() override;

  // The volumes listed as drive rows (their roots); the platform's mounted
  // volumes unless set. Fills the left list again.
  void SetVolumes(std::vector<std::string> roots);

  Mp3Basket& Basket() { return basket_; }

  // Gestures, as the controls trigger them.
  void OnPcDoubleClicked(int row);
  void OnAdd();
  void OnRemove();
  void OnSetDefaultFolder();
  void OnBasketPressed(int row);
  void OnBasketDoubleClicked(int row);
  void OnRowDropped(int dragged, int target);
  void OnCopyPcFileName();
  void OnCopyVersion2Info();
  void OnApply();
  void OnReset();
  void OnBackUp();
  void OnSend();

  // The controls, for the window tests.
  QTreeWidget* PcList() const { return pcList_; }
  QTreeWidget* BasketList() const;
  QLineEdit* PcFolderEdit() const { return pcFolder_; }
  QLineEdit* ConsoleFolderEdit() const { return consoleFolder_; }
  QLineEdit* PcFileEdit() const { return pcFile_; }
  QLineEdit* ConsoleNameEdit() const { return consoleName_; }
  QLineEdit* SizeEdit() const { return size_; }
  QLineEdit* TitleEdit() const { return title_; }
  QLineEdit* ArtistEdit() const { return artist_; }
  QLineEdit* AlbumEdit() const { return album_; }
  QLineEdit* YearEdit() const { return year_; }
  QLineEdit* CommentEdit() const { return comment_; }
  QComboBox* GenreBox() const { return genre_; }
  QLabel* TotalLabel() const { return total_; }
  QLabel* FreeLabel() const { return free_; }
  QPushButton* Button(const QString& text) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* MakePcSide();
  QWidget* MakeBasketSide();
  QGroupBox* MakeTagGroup();
  QWidget* MakeSpaceAndButtons();
  QPushButton* AddButton(const QString& text);

  void FillPcList();
  void FillBasketList();
  void ShowFieldValues();
  // The tag's fields alone (title to comment), as `fields` holds them.
  void ShowTagFields(const FieldValues& fields);
  void EnableFields();
  void ShowTotal();
  FieldValues TakeFieldValues() const;

  Mp3Basket basket_;
  UserInterface& ui_;
  DeviceOperations& operations_;
  std::vector<std::string> volumes_;
  std::vector<PcRow> pcRows_;
  std::array<QIcon, 4> stateIcons_;

  QLineEdit* pcFolder_ = nullptr;
  QTreeWidget* pcList_ = nullptr;
  QLineEdit* consoleFolder_ = nullptr;
  BasketListWidget* basketList_ = nullptr;
  QLineEdit* pcFile_ = nullptr;
  QLineEdit* consoleName_ = nullptr;
  QLineEdit* size_ = nullptr;
  QLineEdit* title_ = nullptr;
  QLineEdit* artist_ = nullptr;
  QLineEdit* album_ = nullptr;
  QLineEdit* year_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QComboBox* genre_ = nullptr;
  QLabel* total_ = nullptr;
  QLabel* free_ = nullptr;
  std::vector<QPushButton*> buttons_;
  std::vector<QWidget*> fieldControls_;
  std::vector<QLineEdit*> fieldEdits_;
};

}  // namespace zq
