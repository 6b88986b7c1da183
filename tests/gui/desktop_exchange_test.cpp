// The list and the tree with the file manager: files dropped in, the
// clipboard both ways, and rows dragged out.
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "views/desktop_files.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;

class DesktopExchangeTest : public WindowFixture {
 protected:
  QUrl Url(const std::string& name) const {
    return QUrl::fromLocalFile(QString::fromStdString((pc / name).string()));
  }
  static std::unique_ptr<QMimeData> FilesData(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
  }
  // A drag from outside over `target`, proposing `proposed`: what each of
  // its events answered, and the action the drop agreed to.
  struct Outcome {
    bool entered = false;
    bool dropped = false;
    Qt::DropAction action = Qt::IgnoreAction;
  };
  static Outcome Drop(QWidget* target, const QMimeData& data, QPoint at = {20, 20},
                      Qt::DropAction proposed = Qt::MoveAction) {
    Outcome outcome;
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(proposed);
    QCoreApplication::sendEvent(target, &enter);
    outcome.entered = enter.isAccepted();
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(proposed);
    QCoreApplication::sendEvent(target, &drop);
    outcome.dropped = drop.isAccepted();
    outcome.action = drop.dropAction();
    QApplication::processEvents();  // the copy runs after the drop was answered
    return outcome;
  }
  bool OnCard(const fs::path& relative) const { return fs::exists(console.CardDir() / relative); }
  void SetClipboard(const QList<QUrl>& urls) {
    QGuiApplication::clipboard()->setMimeData(FilesData(urls).release());
  }
};

// Files from the file manager dropped on the list are copied into the folder
// shown, with Paste's checks and messages, always as a copy.
TEST_F(DesktopExchangeTest, FilesDroppedOnTheListArePasted) {
  ASSERT_TRUE(Start());
  WriteFile(pc / "bad name.txt", 10);
  const struct {
    const char* what;
    std::string folder;
    QList<QUrl> urls;
    bool taken;
    const char* onCard;   // copied there, relative to the card
    const char* message;  // the start of the one message shown, or empty
  } cases[] = {
      {"a file", "zq:\\DOCS\\", {Url("SONG.MP3")}, true, "DOCS/SONG.MP3", ""},
      {"a folder", "zq:\\MP3\\", {Url("docs")}, true, "MP3/docs/note.txt", ""},
      {"a name the card refuses",
       "zq:\\DOCS\\",
       {Url("bad name.txt")},
       true,
       "",
       "no space is allowed in file name"},
      {"onto a PC folder",
       PcFolder(),
       {Url("SONG.MP3")},
       true,
       "",
       "copying from ZQ61 to ZQ61 or PC to PC is not allowed"},
      {"a web address", "zq:\\DOCS\\", {QUrl("https://example.org/a.txt")}, false, "", ""},
      {"a missing file", "zq:\\DOCS\\", {Url("gone.txt")}, false, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    List().NavigateTo(c.folder);
    ui.ClearLog();
    const auto data = FilesData(c.urls);
    const Outcome outcome = Drop(List().DetailsView()->viewport(), *data);
    EXPECT_EQ(outcome.entered, c.taken);
    EXPECT_EQ(outcome.dropped, c.taken);
    if (c.taken) {
      EXPECT_EQ(outcome.action, Qt::CopyAction);  // the file manager keeps its files
      EXPECT_EQ(List().CopyList(), LocalFilesOf(data.get()));
    }
    if (*c.onCard != '\0') {
      EXPECT_TRUE(OnCard(c.onCard));
    }
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), *c.message == '\0' ? 0U : 1U);
    if (!messages.empty()) {
      EXPECT_EQ(messages[0].rfind(c.message, 0), 0U) << messages[0];
    }
  }
  EXPECT_TRUE(fs::exists(pc / "SONG.MP3"));  // a drop never moves
}

// The list does not take back its own rows, and nothing before a folder shows.
TEST_F(DesktopExchangeTest, TheListRefusesItsOwnRows) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  Select({"SONG.MP3"});
  std::unique_ptr<QDrag> drag(List().MakeRowsDrag());
  ASSERT_NE(drag, nullptr);
  EXPECT_FALSE(Drop(List().DetailsView()->viewport(), *drag->mimeData()).entered);
}

// Files dropped on a folder node of the tree go into that folder.
TEST_F(DesktopExchangeTest, FilesDroppedOnAFolderNode) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  QTreeWidgetItem* mp3 = NodeInSight("zq:\\MP3\\");
  ASSERT_NE(mp3, nullptr);
  const auto data = FilesData({Url("SONG.MP3")});
  const Outcome outcome = Drop(Tree().viewport(), *data, LabelPoint(mp3));
  EXPECT_TRUE(outcome.dropped);
  EXPECT_EQ(outcome.action, Qt::CopyAction);
  EXPECT_TRUE(OnCard("MP3/SONG.MP3"));
  EXPECT_FALSE(OnCard("DOCS/SONG.MP3"));
  EXPECT_EQ(List().CurrentPath(), "zq:\\DOCS\\");
}

// Copy puts the selected PC paths on the clipboard in both forms; card rows
// leave the clipboard alone.
TEST_F(DesktopExchangeTest, CopyOffersPcFilesToTheFileManager) {
  ASSERT_TRUE(Start());
  SetClipboard({QUrl::fromLocalFile("/before")});
  List().NavigateTo("zq:\\DOCS\\");
  Select({"BIG.TXT"});
  List().OnCopy();
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->urls(),
            QList<QUrl>{QUrl::fromLocalFile("/before")});

  List().NavigateTo(PcFolder());
  Select({"docs", "SONG.MP3"});
  List().OnCopy();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QList<QUrl> expected{Url("docs"), Url("SONG.MP3")};
  EXPECT_EQ(data->urls(), expected);
  EXPECT_EQ(data->data(kGnomeCopiedFilesType).toStdString(),
            "copy\n" + expected[0].toEncoded().toStdString() + "\n" +
                expected[1].toEncoded().toStdString());
}

// Paste takes the file manager's files when CopyList is empty or older than
// them, and CopyList otherwise.
TEST_F(DesktopExchangeTest, PasteTakesTheNewerOfCopyListAndClipboard) {
  ASSERT_TRUE(Start());
  WriteFile(pc / "FIRST.TXT", 10);
  WriteFile(pc / "SECOND.TXT", 10);
  SetClipboard({Url("FIRST.TXT")});
  List().NavigateTo("zq:\\DOCS\\");
  List().OnPaste();  // CopyList empty: the clipboard's
  EXPECT_TRUE(OnCard("DOCS/FIRST.TXT"));

  Select({"BIG.TXT"});
  List().OnCopy();  // CopyList now newer than the clipboard
  List().NavigateTo(PcFolder() + "docs/");
  List().OnPaste();
  EXPECT_TRUE(fs::exists(pc / "docs" / "BIG.TXT"));

  // The copied-files form alone is read too.
  auto gnome = std::make_unique<QMimeData>();
  gnome->setData(kGnomeCopiedFilesType, "cut\n" + Url("SECOND.TXT").toEncoded());
  QGuiApplication::clipboard()->setMimeData(gnome.release());
  List().NavigateTo("zq:\\MP3\\");
  ui.ClearLog();
  List().OnPaste();
  EXPECT_TRUE(OnCard("MP3/SECOND.TXT"));
  EXPECT_TRUE(fs::exists(pc / "SECOND.TXT"));  // a cut is copied, never moved
  EXPECT_TRUE(ui.Messages().empty());
}

// Rows dragged out: PC rows carry their paths; card rows are fetched into a
// folder of their own only when the target asks for the files, once.
TEST_F(DesktopExchangeTest, RowsDraggedOutCarryFiles) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  Select({"docs", "SONG.MP3"});
  std::unique_ptr<QDrag> pcDrag(List().MakeRowsDrag());
  ASSERT_NE(pcDrag, nullptr);
  EXPECT_EQ(pcDrag->mimeData()->urls(), (QList<QUrl>{Url("docs"), Url("SONG.MP3")}));
  EXPECT_TRUE(List().CopyList().empty());  // a drag is not a Copy

  List().NavigateTo("zq:\\DOCS\\");
  Select({"BIG.TXT", "DEEP"});
  std::unique_ptr<QDrag> cardDrag(List().MakeRowsDrag());
  ASSERT_NE(cardDrag, nullptr);
  ui.ClearLog();
  EXPECT_TRUE(cardDrag->mimeData()->hasUrls());
  EXPECT_TRUE(ui.LogOf("progress-show").empty());  // nothing fetched yet
  const QList<QUrl> urls = cardDrag->mimeData()->urls();
  const fs::path folder = List().DragFetchFolder();
  ASSERT_EQ(urls.size(), 2);
  EXPECT_EQ(urls[0], QUrl::fromLocalFile(QString::fromStdString((folder / "BIG.TXT").string())));
  EXPECT_EQ(fs::file_size(folder / "BIG.TXT"), 10240U);
  EXPECT_TRUE(fs::exists(folder / "DEEP" / "DEEPER"));
  EXPECT_FALSE(ui.LogOf("progress-show").empty());
  ui.ClearLog();
  EXPECT_EQ(cardDrag->mimeData()->urls(), urls);
  EXPECT_TRUE(ui.Log().empty());  // fetched once
}

}  // namespace
}  // namespace zq::test
