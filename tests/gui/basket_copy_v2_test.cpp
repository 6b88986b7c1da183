// "Copy ver.2 info" in the MP3 basket: the chosen row's ID3v2 tag into the
// version-1 fields, stored only by Apply.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdlib>

#include "mp3/ui/cmp3_basket_dlg.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"
#include "support/mp3_builder.h"
#include "support/temp_dir.h"

namespace zq::test {
namespace {

class BasketCopyV2Test : public ::testing::Test {
 protected:
  BasketCopyV2Test() : link_(console_.Connected()), ops_(*link_, ui_) {
    Mp3Builder().Audio(3000).WriteTo(pc_ / "tagged.mp3");
    Mp3Builder().Audio(3000).WriteTo(pc_ / "plain.mp3");
    const std::string command = "id3v2 -2 -t 'V2 Title' -a 'V2 Artist' -y 2001 -g 13 '" +
                                (pc_ / "tagged.mp3").string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "id3v2 missing? run scripts/setup";
    settings_.SetString("PATH", "MP3", pc_.Path().string() + "/");
    dialog_ =
        std::make_unique<CMp3BasketDlg>(ui_, settings_, ops_, "/prog/", 1 << 20, "zq:\\mp3\\");
    dialog_->SetVolumes({"/zq-no-such-volume"});
    dialog_->show();
    QApplication::processEvents();
  }

  // Adds the file to the basket and chooses its row.
  void AddAndChoose(const char* name) {
    QTreeWidget* list = dialog_->PcList();
    list->clearSelection();
    list->findItems(name, Qt::MatchExactly, 0).front()->setSelected(true);
    dialog_->OnAdd();
    dialog_->OnBasketPressed(dialog_->BasketList()->topLevelItemCount() - 1);
  }

  EmulatedConsole console_;
  std::unique_ptr<LinkSession> link_;
  FakeUserInterface ui_;
  DeviceOperations ops_;
  MemorySettings settings_;
  TempDir pc_{"zq-basket-v2"};
  std::unique_ptr<CMp3BasketDlg> dialog_;
};

TEST_F(BasketCopyV2Test, FillsTheFieldsButStoresNothing) {
  AddAndChoose("tagged.mp3");
  dialog_->AlbumEdit()->setText("typed album");
  QPushButton* copy = dialog_->Button("Copy ver.2 info");
  ASSERT_NE(copy, nullptr);
  ASSERT_TRUE(copy->isEnabled());
  copy->click();
  EXPECT_EQ(dialog_->TitleEdit()->text(), "V2 Title");
  EXPECT_EQ(dialog_->ArtistEdit()->text(), "V2 Artist");
  EXPECT_EQ(dialog_->AlbumEdit()->text(), "typed album");  // the tag has none
  EXPECT_EQ(dialog_->YearEdit()->text(), "2001");
  EXPECT_EQ(dialog_->GenreBox()->currentIndex(), 13);
  const auto& entry = dialog_->Basket().Rows()[0].entry;
  EXPECT_EQ(entry.edited, entry.initial);  // until Apply
  EXPECT_TRUE(ui_.Messages().empty());

  dialog_->OnApply();
  EXPECT_EQ(dialog_->Basket().Rows()[0].entry.edited.title, "V2 Title");
  EXPECT_EQ(dialog_->Basket().Rows()[0].entry.edited.genre, 13);
}

TEST_F(BasketCopyV2Test, AFileWithoutTheTagSaysSo) {
  AddAndChoose("plain.mp3");
  dialog_->TitleEdit()->setText("typed");
  dialog_->Button("Copy ver.2 info")->click();
  EXPECT_EQ(dialog_->TitleEdit()->text(), "typed");
  ASSERT_EQ(ui_.Messages().size(), 1U);
  EXPECT_EQ(ui_.Messages()[0].rfind("no ver.2 information in this file\nfile name : ", 0), 0U);
}

}  // namespace
}  // namespace zq::test
