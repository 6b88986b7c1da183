#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "mp3/ui/cmp3_basket_dlg.h"
#include "mp3/ui/mp3_basket_command.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"
#include "support/mp3_builder.h"
#include "support/temp_dir.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Column(const QTreeWidget* list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    texts.push_back(list->topLevelItem(row)->text(column).toStdString());
  }
  return texts;
}

std::vector<std::string> Headers(const QTreeWidget* list) {
  std::vector<std::string> texts;
  for (int column = 0; column < list->columnCount(); ++column) {
    texts.push_back(list->headerItem()->text(column).toStdString());
  }
  return texts;
}

// The basket dialog on a PC folder of generated MP3 files, with the
// in-process console behind the device operations.
class Mp3BasketDialogTest : public ::testing::Test {
 protected:
  Mp3BasketDialogTest() : link_(console_.Connected()), ops_(*link_, ui_) {
    Mp3Builder()
        .Audio(3000, 1)
        .Id3v1({"Title", "Artist", "Album", "1999", "Comment", 13})
        .WriteTo(pc_ / "Summer.Hits.mp3");
    Mp3Builder().Audio(2048, 2).WriteTo(pc_ / "plain.mp3");
    Mp3Builder().Audio(500, 3).WriteTo(pc_ / "ninebytes.mp3");
    Mp3Builder().Audio(10, 4).WriteTo(pc_ / "notes.txt");
    fs::create_directories(pc_ / "Rock");
    settings_.SetString("PATH", "MP3", PcFolder());
  }

  std::string PcFolder() const { return pc_.Path().string() + "/"; }

  std::unique_ptr<CMp3BasketDlg> MakeDialog(std::int64_t smcFree = 1 << 20) {
    auto dialog =
        std::make_unique<CMp3BasketDlg>(ui_, settings_, ops_, "/prog/", smcFree, "zq:\\mp3\\");
    dialog->SetVolumes({"/zq-no-such-volume"});
    dialog->show();
    QApplication::processEvents();
    return dialog;
  }

  // Selects the PC rows of these names only.
  static void SelectPc(CMp3BasketDlg& dialog, const std::vector<std::string>& names) {
    QTreeWidget* list = dialog.PcList();
    list->clearSelection();
    for (const std::string& name : names) {
      const auto found = list->findItems(QString::fromStdString(name), Qt::MatchExactly, 0);
      ASSERT_EQ(found.size(), 1) << name;
      found.front()->setSelected(true);
    }
  }

  // A left-button press on a basket row (-1: below the last row), as the mouse gives it.
  static void PressBasketRow(CMp3BasketDlg& dialog, int row) {
    QTreeWidget* list = dialog.BasketList();
    QPoint point(5, list->viewport()->height() - 3);
    if (row >= 0) {
      point = list->visualItemRect(list->topLevelItem(row)).center();
    }
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point),
                      list->viewport()->mapToGlobal(QPointF(point)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point),
                        list->viewport()->mapToGlobal(QPointF(point)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
  }

  static void Click(CMp3BasketDlg& dialog, const char* button) {
    QPushButton* found = dialog.Button(QString::fromUtf8(button));
    ASSERT_NE(found, nullptr) << button;
    found->click();
  }

  // The card's file in MP3, found ignoring case as the console does.
  fs::path CardMp3(const std::string& name) const {
    const auto lower = [](std::string text) {
      std::transform(text.begin(), text.end(), text.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      return text;
    };
    for (const auto& item : fs::recursive_directory_iterator(console_.CardDir())) {
      const std::string relative = fs::relative(item.path(), console_.CardDir()).generic_string();
      if (item.is_regular_file() && lower(relative) == lower("mp3/" + name)) {
        return item.path();
      }
    }
    return {};
  }

  EmulatedConsole console_;
  std::unique_ptr<LinkSession> link_;
  FakeUserInterface ui_;
  DeviceOperations ops_;
  MemorySettings settings_;
  TempDir pc_{"zq-basket-dlg"};
};

TEST_F(Mp3BasketDialogTest, OpensWithItsLayoutAndThePcFolder) {
  const auto dialog = MakeDialog(123456);
  EXPECT_EQ(dialog->windowTitle().toStdString(), "MP3 Basket");
  EXPECT_EQ(Headers(dialog->PcList()), (std::vector<std::string>{"file name", "size"}));
  EXPECT_EQ(Headers(dialog->BasketList()),
            (std::vector<std::string>{"file name(PC)", "file name(ZQ)", "path"}));
  EXPECT_EQ(dialog->PcList()->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(dialog->BasketList()->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(dialog->PcFolderEdit()->text().toStdString(), PcFolder());
  EXPECT_EQ(dialog->ConsoleFolderEdit()->text().toStdString(), "zq:\\mp3\\");
  EXPECT_EQ(dialog->TotalLabel()->text().toStdString(), "0");
  EXPECT_EQ(dialog->FreeLabel()->text().toStdString(), "123456");

  // "..", folders, MP3 files with their size in whole kilobytes, then the volumes.
  EXPECT_EQ(Column(dialog->PcList(), 0),
            (std::vector<std::string>{"..", "Rock", "Summer.Hits.mp3", "ninebytes.mp3", "plain.mp3",
                                      "[/zq-no-such-volume]"}));
  EXPECT_EQ(Column(dialog->PcList(), 1),
            (std::vector<std::string>{"", "", "3KB", "0KB", "2KB", ""}));
  for (int row = 0; row < dialog->PcList()->topLevelItemCount(); ++row) {
    EXPECT_FALSE(dialog->PcList()->topLevelItem(row)->icon(0).isNull()) << row;
  }

  ASSERT_EQ(dialog->GenreBox()->count(), 80);
  EXPECT_EQ(dialog->GenreBox()->itemText(0).toStdString(), "Blues");
  EXPECT_EQ(dialog->GenreBox()->itemText(79).toStdString(), "Hard Rock");
  EXPECT_FALSE(dialog->Button("&Help")->isEnabled());
  EXPECT_TRUE(dialog->Button("&Send")->isEnabled());
  // No row chosen: the edits are read-only and the tag buttons disabled.
  EXPECT_TRUE(dialog->TitleEdit()->isReadOnly());
  EXPECT_FALSE(dialog->GenreBox()->isEnabled());
  for (const char* button :
       {"&Apply", "&Reset", "&Back up...", "Copy ver.2 info", "copy PC file name"}) {
    EXPECT_FALSE(dialog->Button(button)->isEnabled()) << button;
  }
}

TEST_F(Mp3BasketDialogTest, DoubleClicksOpenFoldersAndTheParent) {
  const auto dialog = MakeDialog();
  QTreeWidget* list = dialog->PcList();
  emit list->itemDoubleClicked(list->findItems("Rock", Qt::MatchExactly).front(), 0);
  EXPECT_EQ(dialog->PcFolderEdit()->text().toStdString(), PcFolder() + "Rock/");
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"..", "[/zq-no-such-volume]"}));
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  EXPECT_EQ(dialog->PcFolderEdit()->text().toStdString(), PcFolder());

  Click(*dialog, "set this folder as default");
  EXPECT_EQ(settings_.GetString("PATH", "MP3"), PcFolder());
  EXPECT_TRUE(ui_.Messages().empty());
}

// A double click on a folder, as Qt delivers it (press, release, press,
// double click, release) with the small move a hand makes before the
// release, opens it with nothing selected: ">" then adds nothing nobody
// picked.
TEST_F(Mp3BasketDialogTest, NoRowIsSelectedAfterAFolderOpens) {
  Mp3Builder().Audio(100, 5).WriteTo(pc_ / "Rock" / "a.mp3");
  Mp3Builder().Audio(100, 6).WriteTo(pc_ / "Rock" / "b.mp3");
  auto dialog = MakeDialog();
  QTreeWidget* list = dialog->PcList();
  const auto rock = list->findItems("Rock", Qt::MatchExactly, 0);
  ASSERT_EQ(rock.size(), 1);
  const QPoint at = list->visualItemRect(rock.front()).center();
  for (QEvent::Type type :
       {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  EXPECT_EQ(Column(list, 0)[1], "a.mp3");  // the row under the pointer now
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(Mp3BasketDialogTest, AddsOnlyMp3FilesOnceEach) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Rock", "plain.mp3"});
  Click(*dialog, ">");
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"mp3 파일만 선택해 주세요."});
  EXPECT_EQ(dialog->BasketList()->topLevelItemCount(), 0);

  SelectPc(*dialog, {"Summer.Hits.mp3", "ninebytes.mp3"});
  Click(*dialog, ">");
  // A double click on an MP3 file adds the selection too; what is there is skipped.
  SelectPc(*dialog, {"Summer.Hits.mp3", "plain.mp3"});
  emit dialog->PcList()->itemDoubleClicked(
      dialog->PcList()->findItems("plain.mp3", Qt::MatchExactly).front(), 0);
  EXPECT_EQ(ui_.Messages().size(), 1u);

  const QTreeWidget* basket = dialog->BasketList();
  EXPECT_EQ(Column(basket, 0),
            (std::vector<std::string>{"Summer.Hits.mp3", "ninebytes.mp3", "plain.mp3"}));
  EXPECT_EQ(Column(basket, 1), (std::vector<std::string>{"Summer.mp3", "", "plain.mp3"}));
  EXPECT_EQ(Column(basket, 2), (std::vector<std::string>(3, pc_.Path().string())));
  EXPECT_EQ(dialog->TotalLabel()->text().toStdString(), std::to_string(3128 + 628 + 2176));
  // The state icons differ: ready, no name and no tag, no tag.
  const auto key = [basket](int row) { return basket->topLevelItem(row)->icon(0).cacheKey(); };
  EXPECT_NE(key(0), key(1));
  EXPECT_NE(key(0), key(2));
  EXPECT_NE(key(1), key(2));
}

TEST_F(Mp3BasketDialogTest, ChoosingARowShowsItsFieldsAndEmptySpaceDisablesThem) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Summer.Hits.mp3", "plain.mp3"});
  Click(*dialog, ">");

  PressBasketRow(*dialog, 0);
  EXPECT_EQ(dialog->PcFileEdit()->text().toStdString(), PcFolder() + "Summer.mp3");
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "Summer");
  EXPECT_EQ(dialog->SizeEdit()->text().toStdString(), "3128");
  EXPECT_EQ(dialog->TitleEdit()->text().toStdString(), "Title");
  EXPECT_EQ(dialog->ArtistEdit()->text().toStdString(), "Artist");
  EXPECT_EQ(dialog->AlbumEdit()->text().toStdString(), "Album");
  EXPECT_EQ(dialog->YearEdit()->text().toStdString(), "1999");
  EXPECT_EQ(dialog->CommentEdit()->text().toStdString(), "Comment");
  EXPECT_EQ(dialog->GenreBox()->currentIndex(), 13);
  EXPECT_FALSE(dialog->TitleEdit()->isReadOnly());
  EXPECT_TRUE(dialog->Button("&Apply")->isEnabled());
  EXPECT_TRUE(dialog->Button("Copy ver.2 info")->isEnabled());

  PressBasketRow(*dialog, 1);
  EXPECT_EQ(dialog->TitleEdit()->text().toStdString(), "");
  EXPECT_EQ(dialog->GenreBox()->currentIndex(), -1);

  PressBasketRow(*dialog, -1);
  EXPECT_TRUE(dialog->TitleEdit()->isReadOnly());
  EXPECT_FALSE(dialog->Button("&Apply")->isEnabled());
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "plain");
}

TEST_F(Mp3BasketDialogTest, EditsAreLimitedInBytes) {
  const auto dialog = MakeDialog();
  QLineEdit* name = dialog->ConsoleNameEdit();
  ASSERT_NE(name->validator(), nullptr);
  QString text = QString::fromUtf8("가나다라");  // 8 bytes in CP949
  int position = 0;
  EXPECT_EQ(name->validator()->validate(text, position), QValidator::Acceptable);
  text = QString::fromUtf8("가나다라a");
  EXPECT_EQ(name->validator()->validate(text, position), QValidator::Invalid);
  text = QStringLiteral("12345");
  EXPECT_EQ(dialog->YearEdit()->validator()->validate(text, position), QValidator::Invalid);
  text = QString(30, QLatin1Char('t'));
  EXPECT_EQ(dialog->TitleEdit()->validator()->validate(text, position), QValidator::Acceptable);
  text += QLatin1Char('t');
  EXPECT_EQ(dialog->ArtistEdit()->validator()->validate(text, position), QValidator::Invalid);
  EXPECT_EQ(dialog->CommentEdit()->validator(), nullptr);
}

TEST_F(Mp3BasketDialogTest, ApplyResetAndCopyPcFileNameChangeTheChosenRow) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"ninebytes.mp3", "plain.mp3"});
  Click(*dialog, ">");
  PressBasketRow(*dialog, 0);
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "");

  Click(*dialog, "&Apply");
  EXPECT_EQ(ui_.Messages().back(), "please type file name");
  Click(*dialog, "copy PC file name");
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "ninebyte");
  dialog->ConsoleNameEdit()->setText("plain");
  Click(*dialog, "&Apply");
  EXPECT_EQ(ui_.Messages().back(), "same file already exists in list");

  dialog->ConsoleNameEdit()->setText("nine");
  dialog->TitleEdit()->setText("Nine  ");
  dialog->ArtistEdit()->setText("Band");
  dialog->GenreBox()->setCurrentIndex(79);
  Click(*dialog, "&Apply");
  EXPECT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(dialog->BasketList()->topLevelItem(0)->text(1).toStdString(), "nine.mp3");
  EXPECT_TRUE(dialog->BasketList()->topLevelItem(0)->isSelected());
  const TagFields& edited = dialog->Basket().Rows()[0].entry.edited;
  EXPECT_EQ(edited.state, 0);
  EXPECT_EQ(edited.title, "Nine");
  EXPECT_EQ(edited.genre, 79);
  const qint64 readyIcon = dialog->BasketList()->topLevelItem(0)->icon(0).cacheKey();

  Click(*dialog, "&Reset");
  EXPECT_EQ(dialog->BasketList()->topLevelItem(0)->text(1).toStdString(), "");
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "");
  EXPECT_EQ(dialog->TitleEdit()->text().toStdString(), "");
  EXPECT_EQ(dialog->GenreBox()->currentIndex(), -1);
  EXPECT_NE(dialog->BasketList()->topLevelItem(0)->icon(0).cacheKey(), readyIcon);
  EXPECT_EQ(ui_.UnusedScript(), 0u);
}

TEST_F(Mp3BasketDialogTest, RemovingEmptiesAndDisablesTheFields) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Summer.Hits.mp3", "plain.mp3"});
  Click(*dialog, ">");
  PressBasketRow(*dialog, 1);
  Click(*dialog, "<");
  EXPECT_EQ(Column(dialog->BasketList(), 0), std::vector<std::string>{"Summer.Hits.mp3"});
  EXPECT_EQ(dialog->TotalLabel()->text().toStdString(), "3128");
  EXPECT_EQ(dialog->ConsoleNameEdit()->text().toStdString(), "");
  EXPECT_EQ(dialog->SizeEdit()->text().toStdString(), "0");
  EXPECT_EQ(dialog->GenreBox()->currentIndex(), -1);
  EXPECT_TRUE(dialog->TitleEdit()->isReadOnly());

  // A double click on a basket row removes it too.
  emit dialog->BasketList()->itemDoubleClicked(dialog->BasketList()->topLevelItem(0), 0);
  EXPECT_EQ(dialog->BasketList()->topLevelItemCount(), 0);
  EXPECT_EQ(dialog->TotalLabel()->text().toStdString(), "0");
}

TEST_F(Mp3BasketDialogTest, DroppedRowMovesAndTheChoiceFollowsIt) {
  Mp3Builder().Audio(300, 5).WriteTo(pc_ / "third.mp3");
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Summer.Hits.mp3", "plain.mp3", "third.mp3"});
  Click(*dialog, ">");
  PressBasketRow(*dialog, 2);
  ASSERT_EQ(dialog->BasketList()->topLevelItemCount(), 3);
  dialog->OnRowDropped(2, 0);
  EXPECT_EQ(Column(dialog->BasketList(), 0),
            (std::vector<std::string>{"third.mp3", "Summer.Hits.mp3", "plain.mp3"}));
  EXPECT_TRUE(dialog->BasketList()->topLevelItem(0)->isSelected());
  // Apply acts on the moved entry, not on what now stands at its old place.
  dialog->ConsoleNameEdit()->setText("moved");
  dialog->TitleEdit()->setText("T");
  dialog->ArtistEdit()->setText("A");
  Click(*dialog, "&Apply");
  EXPECT_EQ(Column(dialog->BasketList(), 1),
            (std::vector<std::string>{"moved.mp3", "Summer.mp3", "plain.mp3"}));
}

TEST_F(Mp3BasketDialogTest, SendPutsAudioAndTheEditedTagOnTheCard) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Summer.Hits.mp3", "plain.mp3"});
  Click(*dialog, ">");

  // plain.mp3 has no tag yet: the basket is refused until Apply.
  Click(*dialog, "&Send");
  EXPECT_EQ(ui_.Messages().back(),
            "invalid file in list\nplease modify the information and try again");
  EXPECT_TRUE(CardMp3("Summer.mp3").empty());

  PressBasketRow(*dialog, 1);
  dialog->TitleEdit()->setText("Plain");
  dialog->ArtistEdit()->setText("Nobody");
  dialog->YearEdit()->setText("2004");
  dialog->GenreBox()->setCurrentIndex(36);
  Click(*dialog, "&Apply");
  Click(*dialog, "&Send");
  EXPECT_EQ(ui_.Messages().back(), "completed");
  // Bottom row first.
  const auto lines = ui_.LogOf("progress-line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("plain.mp3"), std::string::npos);
  EXPECT_NE(lines[1].find("Summer.mp3"), std::string::npos);

  std::vector<std::uint8_t> plain = AudioPattern(2048, 2);
  const auto tag = Id3v1Record({"Plain", "Nobody", "", "2004", "", 36});
  plain.insert(plain.end(), tag.begin(), tag.end());
  ASSERT_FALSE(CardMp3("plain.mp3").empty());
  EXPECT_EQ(ReadAllBytes(CardMp3("plain.mp3")), plain);
  ASSERT_FALSE(CardMp3("Summer.mp3").empty());
  EXPECT_EQ(ReadAllBytes(CardMp3("Summer.mp3")).size(), 3128u);
  // The PC files are left as they were.
  EXPECT_EQ(ReadAllBytes(pc_ / "plain.mp3"), AudioPattern(2048, 2));
}

TEST_F(Mp3BasketDialogTest, SendRefusesMoreThanTheFreeSpace) {
  const auto dialog = MakeDialog(3127);
  SelectPc(*dialog, {"Summer.Hits.mp3"});
  Click(*dialog, ">");
  Click(*dialog, "&Send");
  EXPECT_EQ(ui_.Messages().back(), "insufficient space in SMC");
  EXPECT_TRUE(CardMp3("Summer.mp3").empty());
}

TEST_F(Mp3BasketDialogTest, BackUpWritesTheChosenEntryToThePickedFile) {
  const auto dialog = MakeDialog();
  SelectPc(*dialog, {"Summer.Hits.mp3"});
  Click(*dialog, ">");
  PressBasketRow(*dialog, 0);
  const fs::path target = pc_ / "out" / "copy.mp3";
  fs::create_directories(target.parent_path());
  ui_.ScriptSaveFile(target.string());
  Click(*dialog, "&Back up...");
  EXPECT_EQ(ui_.Messages().back(), "completed");
  EXPECT_EQ(ReadAllBytes(target), ReadAllBytes(pc_ / "Summer.Hits.mp3"));
  EXPECT_EQ(settings_.GetString("PATH", "mp3backup"), target.parent_path().string());
}

TEST_F(Mp3BasketDialogTest, EnterAndEscapeClose) {
  const auto dialog = MakeDialog();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dialog->TitleEdit(), &enter);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);

  dialog->show();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(dialog.get(), &escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);

  dialog->show();
  Click(*dialog, "&Close");
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Mp3BasketDialogTest, OpeningCommandPassesTheFreeSpaceAndTheLabel) {
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  ASSERT_TRUE(ops_.ShowDiskInfo(total, used, free));
  ui_.ClearLog();

  auto dialog = OpenMp3Basket(ui_, ops_, settings_, "/prog/", "zq:\\MP3\\sub\\", nullptr);
  EXPECT_EQ(dialog->FreeLabel()->text().toStdString(), std::to_string(free));
  EXPECT_EQ(dialog->ConsoleFolderEdit()->text().toStdString(), "zq:\\MP3\\sub\\");
  EXPECT_FALSE(ui_.DiskText().empty());
  EXPECT_TRUE(ui_.Messages().empty());

  dialog = OpenMp3Basket(ui_, ops_, settings_, "/prog/", "zq:\\mp3", nullptr);
  EXPECT_EQ(dialog->ConsoleFolderEdit()->text().toStdString(), "zq:\\mp3\\");
  dialog = OpenMp3Basket(ui_, ops_, settings_, "/prog/", PcFolder(), nullptr);
  EXPECT_EQ(dialog->ConsoleFolderEdit()->text().toStdString(), "zq:\\mp3\\");
}

TEST_F(Mp3BasketDialogTest, OpeningWithoutTheConsoleStillOpensWithNoFreeSpace) {
  const auto offline = console_.MakeSession();  // never connected
  DeviceOperations operations(*offline, ui_);
  const auto dialog = OpenMp3Basket(ui_, operations, settings_, "/prog/", "", nullptr);
  EXPECT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(dialog->FreeLabel()->text().toStdString(), "0");
  EXPECT_EQ(dialog->ConsoleFolderEdit()->text().toStdString(), "zq:\\mp3\\");
}

}  // namespace
}  // namespace zq::test
