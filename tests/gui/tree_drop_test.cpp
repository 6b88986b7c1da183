#include <QDropEvent>
#include <QMimeData>

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
  ASSERT_EQ(Tree().SelectFolder("zq:\\DOCS\\DEEP\\"), 0);
  QTreeWidgetItem* deep = Tree().FindNode("zq:\\DOCS\\DEEP\\");
  ASSERT_NE(deep, nullptr);
  Tree().scrollToItem(deep);
  QApplication::processEvents();
  const QRect row = Tree().visualItemRect(deep);
  const int label = row.left() + 16 + 6 + Tree().fontMetrics().horizontalAdvance("DEEP") / 2;
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

}  // namespace
}  // namespace zq::test
