#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

#include "views/view_icons.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

// Rows dragged from the list onto the tree: only a node's icon or label takes
// them, not the empty rest of its row.
class TreeDropTest : public WindowFixture {
 protected:
  struct Outcome {
    bool entered = false;
    bool moved = false;
    bool dropped = false;
  };
  Outcome DragTo(const QPoint& at) {
    QMimeData rows;
    rows.setData("application/x-zq61-rows", "1");
    Outcome outcome;
    QDragEnterEvent enter(at, Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Tree().viewport(), &enter);
    outcome.entered = enter.isAccepted();
    QDragMoveEvent move(at, Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Tree().viewport(), &move);
    outcome.moved = move.isAccepted();
    QDropEvent drop(QPointF(at), Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Tree().viewport(), &drop);
    outcome.dropped = drop.isAccepted();
    return outcome;
  }
};

TEST_F(TreeDropTest, OnlyTheIconAndTheLabelTakeADrop) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  QTreeWidgetItem* deep = NodeInSight("zq:\\DOCS\\DEEP\\");
  ASSERT_NE(deep, nullptr);
  const QRect row = Tree().visualItemRect(deep);
  const int label = LabelPoint(deep).x();
  const struct {
    const char* where;
    QPoint at;
    bool takes;
  } cases[] = {
      {"right end of the row", QPoint(row.right() - 2, row.center().y()), false},
      {"well right of the label", QPoint(label + 60, row.center().y()), false},
      {"the icon", QPoint(row.left() + 10, row.center().y()), true},
      {"the label", QPoint(label, row.center().y()), true},
  };
  const auto copied = console.CardDir() / "DOCS" / "DEEP" / "SONG.MP3";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    std::filesystem::remove(copied);
    Select({"SONG.MP3"});  // a drop refills the list
    const Outcome outcome = DragTo(c.at);
    EXPECT_TRUE(outcome.entered);
    EXPECT_EQ(outcome.moved, c.takes);
    EXPECT_EQ(outcome.dropped, c.takes);
    EXPECT_EQ(std::filesystem::exists(copied), c.takes);
    EXPECT_EQ(deep->background(0).style(), Qt::NoBrush);
  }
}

// The drag that leaves the list: nothing without a selection; one row drags
// its own picture held 8 pixels in, several the multi-item picture held 16
// pixels in; the payload names the rows' count, which the tree accepts.
TEST_F(TreeDropTest, TheDragOfTheSelectedRows) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  List().DetailsView()->selectionModel()->clearSelection();
  EXPECT_EQ(List().MakeRowsDrag(), nullptr);
  const struct {
    std::vector<std::string> rows;
    QPoint hotSpot;
    bool multiple;
  } cases[] = {
      {{"BIG.TXT"}, QPoint(8, 8), false},
      {{"BIG.TXT", "SMALL.TXT", "DEEP"}, QPoint(16, 16), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows.size());
    Select(c.rows);
    std::unique_ptr<QDrag> drag(List().MakeRowsDrag());
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(IsListRowsDrag(drag->mimeData()));
    EXPECT_EQ(drag->mimeData()->data("application/x-zq61-rows").toInt(),
              static_cast<int>(c.rows.size()));
    EXPECT_EQ(drag->hotSpot(), c.hotSpot);
    const QIcon expected =
        c.multiple ? ViewIcons::Get().Multiple()
                   : List().Model()->Row(List().RowOfName(QString::fromStdString(c.rows[0]))).icon;
    EXPECT_EQ(drag->pixmap().toImage(), expected.pixmap(32, 32).toImage());
  }
}

}  // namespace
}  // namespace zq::test
