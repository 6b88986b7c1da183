// After any refill of the list nothing is selected, whatever was selected
// and focused before: a row chosen in one folder must never be taken for a
// row of the next.
#include <QMouseEvent>
#include <QTreeView>
#include <functional>

#include "window_fixture.h"

namespace zq::test {
namespace {

class ListRefillTest : public WindowFixture {
 protected:
  // A person's mouse on the details view: a press and a release at the
  // middle of the row's name, or a double click as Qt delivers it (press,
  // release, press, double click, release), with the small move a hand makes
  // while the button is still down after the double click.
  void Mouse(int row, bool doubleClick) {
    QTreeView* view = List().DetailsView();
    const QPoint at = view->visualRect(Model().index(row, 0)).center();
    auto send = [&](QEvent::Type type) {
      const QPoint where = type == QEvent::MouseMove ? at + QPoint(2, 1) : at;
      QMouseEvent event(type, where, view->viewport()->mapToGlobal(where),
                        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(view->viewport(), &event);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    if (doubleClick) {
      send(QEvent::MouseButtonPress);
      send(QEvent::MouseButtonDblClick);
      send(QEvent::MouseMove);
      send(QEvent::MouseButtonRelease);
    }
    QApplication::processEvents();
  }

  std::vector<std::string> SelectedNames() {
    std::vector<std::string> names;
    for (const QModelIndex& index : List().DetailsView()->selectionModel()->selectedRows(0)) {
      names.push_back(List().RowNameAt(index.row()).toStdString());
    }
    return names;
  }
};

TEST_F(ListRefillTest, NothingIsSelectedAfterAnyRefill) {
  ASSERT_TRUE(Start());
  const struct {
    const char* what;
    std::function<void()> step;
    const char* shown;
  } steps[] = {
      {"double click a folder", [this] { Mouse(List().RowOfName("DOCS"), true); }, "zq:\\DOCS\\"},
      {"double click a folder below", [this] { Mouse(List().RowOfName("DEEP"), true); },
       "zq:\\DOCS\\DEEP\\"},
      {"double click ..", [this] { Mouse(0, true); }, "zq:\\DOCS\\"},
      {"move up", [this] { frame->MoveUp(); }, "zq:\\"},
      {"refresh", [this] { frame->Action(CMainFrame::kToolRefresh)->trigger(); }, "zq:\\"},
      {"the tree", [this] { Tree().setCurrentItem(Tree().FindNode("zq:\\DOCS\\")); },
       "zq:\\DOCS\\"},
  };
  List().NavigateTo("zq:\\");
  List().DetailsView()->setFocus();
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    // The person clicks a row first (the second row: one that the next
    // folder has too), and keeps the focus in the list.
    Mouse(1, false);
    ASSERT_FALSE(SelectedNames().empty());
    s.step();
    EXPECT_EQ(List().CurrentPath(), s.shown);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace zq::test
