#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <functional>
#include <set>

#include "window_fixture.h"

namespace zq::test {
namespace {

class SortTest : public WindowFixture {
 protected:
  std::set<std::string> SelectedNames() {
    std::set<std::string> names;
    for (const QModelIndex& index : List().DetailsView()->selectionModel()->selectedRows(0)) {
      names.insert(index.data().toString().toStdString());
    }
    return names;
  }
  std::string CurrentName() {
    const QModelIndex current = List().DetailsView()->currentIndex();
    return current.isValid() ? List().RowNameAt(current.row()).toStdString() : "<none>";
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < Model().rowCount(); ++row) {
      cells.push_back(Cell(row, column));
    }
    return cells;
  }
  // The context menu's "Arrange Icons" entry with this text.
  void ArrangeFromTheContextMenu(const char* text) {
    std::unique_ptr<QMenu> menu(List().BuildContextMenu(nullptr));
    for (QAction* action : menu->actions()) {
      if (action->menu() != nullptr) {
        for (QAction* entry : action->menu()->actions()) {
          if (entry->text() == text) {
            entry->trigger();
            return;
          }
        }
      }
    }
    ADD_FAILURE() << "no arrange entry " << text;
  }
};

// A PC folder lists by name, its folders first, until a column is clicked;
// the header marks the column and the direction the rows are in.
TEST_F(SortTest, PcFoldersListByNameAndTheHeaderMarksTheOrder) {
  for (const char* name : {"b.txt", "Zeta.txt", "a.txt", "C.txt"}) {
    WriteFile(pc / name, 10);
  }
  for (const char* name : {"zeta", "Alpha"}) {
    std::filesystem::create_directories(pc / name);
  }
  ASSERT_TRUE(Start());
  QHeaderView* header = List().DetailsView()->header();
  const auto mark = [header] {
    return header->isSortIndicatorShown()
               ? std::to_string(header->sortIndicatorSection()) +
                     (header->sortIndicatorOrder() == Qt::AscendingOrder ? " up" : " down")
               : std::string("none");
  };
  List().NavigateTo(PcFolder());
  EXPECT_EQ(Names(), (std::vector<std::string>{".config", "Alpha", "docs", "zeta", "a.txt", "b.txt",
                                               "C.txt", "SONG.MP3", "Zeta.txt"}));
  EXPECT_EQ(mark(), "0 up");
  List().OnHeaderClicked(1);
  EXPECT_EQ(mark(), "1 up");
  List().OnHeaderClicked(1);
  EXPECT_EQ(mark(), "1 down");
  List().NavigateTo("zq:\\DOCS\\");  // as the card lists it
  EXPECT_EQ(mark(), "none");
}

// Every way of sorting keeps the rows' identity: the selection and the
// current row survive, and a Copy right after acts on the same rows.
TEST_F(SortTest, TheSelectionAndTheCurrentRowSurviveASort) {
  const struct {
    const char* what;
    std::function<void()> sort;
  } cases[] = {
      {"header Name", [this] { List().OnHeaderClicked(0); }},
      {"header Size", [this] { List().OnHeaderClicked(1); }},
      {"header Type", [this] { List().OnHeaderClicked(2); }},
      {"header Modified", [this] { List().OnHeaderClicked(3); }},
      {"menu by Name", [this] { frame->Action(CMainFrame::kByName)->trigger(); }},
      {"menu by Type", [this] { frame->Action(CMainFrame::kByType)->trigger(); }},
      {"menu by Size", [this] { frame->Action(CMainFrame::kBySize)->trigger(); }},
      {"menu by Date", [this] { frame->Action(CMainFrame::kByDate)->trigger(); }},
      {"context by Name", [this] { ArrangeFromTheContextMenu("by &Name"); }},
  };
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (int pass = 0; pass < 2; ++pass) {  // both directions
      Select({"SMALL.TXT", "DEEP"});
      List().DetailsView()->selectionModel()->setCurrentIndex(
          Model().index(List().RowOfName("DEEP"), 0), QItemSelectionModel::NoUpdate);
      c.sort();
      EXPECT_EQ(SelectedNames(), (std::set<std::string>{"SMALL.TXT", "DEEP"}));
      EXPECT_EQ(CurrentName(), "DEEP");
      List().OnCopy();
      EXPECT_EQ(List().CopyList().size(), 2U);
    }
  }
}

// The frame's "by &Type" sorts the Type column as text, "by Si&ze" the Size
// column as numbers, each toggling its own direction, as the list's context
// menu and its headers do.
TEST_F(SortTest, ArrangeEntriesSortTheColumnTheirLabelNames) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  // Type texts compare ignoring case: "folder" before "SMC file".
  auto types = [this] {
    auto cells = Column(2);
    for (auto& cell : cells) {
      std::transform(cell.begin(), cell.end(), cell.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return cells;
  };
  auto kilobytes = [this] {
    std::vector<long long> sizes;
    for (const auto& cell : Column(1)) {
      sizes.push_back(cell.empty() ? 0 : std::stoll(cell));
    }
    return sizes;
  };
  frame->Action(CMainFrame::kByType)->trigger();
  auto ascending = types();
  EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
  EXPECT_EQ(ascending.front(), "folder");
  frame->Action(CMainFrame::kByType)->trigger();
  auto descending = types();
  EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
  EXPECT_EQ(descending.front(), "smc file");

  frame->Action(CMainFrame::kBySize)->trigger();
  auto sizes = kilobytes();
  EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()));
  EXPECT_EQ(Names().back(), "BIG.TXT");
  frame->Action(CMainFrame::kBySize)->trigger();
  sizes = kilobytes();
  EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
  EXPECT_EQ(Names().front(), "BIG.TXT");

  // The same label sorts the same column from the context menu.
  ArrangeFromTheContextMenu("by &Type");
  const auto fromContext = types();
  EXPECT_TRUE(std::is_sorted(fromContext.begin(), fromContext.end()) ||
              std::is_sorted(fromContext.rbegin(), fromContext.rend()));
}

}  // namespace
}  // namespace zq::test
