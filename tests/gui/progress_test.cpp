#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/progress_window.h"
#include "app/qt_user_interface.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/temp_dir.h"

namespace zq::test {
namespace {

TEST(ProgressWindowTest, StartsHiddenWithItsInitialTexts) {
  ProgressWindow window;
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.Line().toStdString(), "Static");
  EXPECT_EQ(window.ByteCounter().toStdString(), "0 / 0 Bytes");
  EXPECT_EQ(window.AnimationKind(), -1);
  window.SetAnimation(7);
  EXPECT_EQ(window.AnimationKind(), -1);  // an unknown kind shows nothing
}

// The counter and the line fit their font: sized for the transfer's
// largest count from the start, never cut to a fixed width.
TEST(ProgressWindowTest, EveryTextFitsTheFontItIsDrawnWith) {
  ProgressWindow window;
  window.SetRange(20971520);
  const struct {
    const QLabel* label;
    QString text;
  } cases[] = {
      {window.CounterLabel(), "3232 / 20971520 Bytes"},
      {window.CounterLabel(), "20971520 / 20971520 Bytes"},
      {window.CounterLabel(), "4294967295 / 4294967295 Bytes"},
      {window.LineLabel(), "now copying file 'A VERY LONG FILE NAME OF A SONG FROM THE PC.MP3'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    if (c.label == window.CounterLabel()) {
      window.SetByteCounter(c.text);
    } else {
      window.SetLine(c.text);
    }
    const QFontMetrics metrics(c.label->font());
    EXPECT_GE(c.label->contentsRect().width(), metrics.horizontalAdvance(c.text));
    EXPECT_GE(c.label->height(), metrics.height());
    EXPECT_TRUE(window.rect().contains(c.label->geometry()));
  }
}

// Shown over a window it belongs to, the progress window stays above it.
TEST(ProgressWindowTest, BelongsToTheMainWindow) {
  QWidget main;
  main.show();
  ProgressWindow window;
  window.BelongTo(&main);
  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(window.isWindow());
  EXPECT_EQ(window.parentWidget(), &main);
  ASSERT_NE(window.windowHandle(), nullptr);
  EXPECT_EQ(window.windowHandle()->transientParent(), main.windowHandle());
  window.hide();
}

// The progress window driven by the device operations against the console.
class ProgressTransferTest : public ::testing::Test {
 protected:
  ProgressTransferTest() { ui.SetUnattended(true); }
  EmulatedConsole console;
  std::unique_ptr<LinkSession> link = console.Connected();
  ProgressWindow window;
  QtUserInterface ui{window};
  DeviceOperations operations{*link, ui};
  TempDir pc{"zq-progress"};
};

TEST_F(ProgressTransferTest, ShowsAndRepaintsDuringATransferAndEndsFull) {
  const std::uint32_t size = 40000;  // many packets
  {
    std::ofstream out(pc / "BIG.DAT", std::ios::binary);
    out << std::string(size, 'z');
  }
  int visibleUpdates = 0;
  int paintsBefore = window.PaintCount();
  // Every progress update lets the window paint: count what was painted
  // while the transfer ran, through the window's own paint events.
  ASSERT_TRUE(operations.UploadFile((pc / "BIG.DAT").string(), "zq:\\", false));
  visibleUpdates = window.PaintCount() - paintsBefore;
  EXPECT_TRUE(window.isVisible());
  EXPECT_GT(visibleUpdates, 10);
  EXPECT_EQ(window.windowTitle().toStdString(), "now copying...");
  EXPECT_EQ(window.Line().toStdString(), "now copying file 'BIG.DAT'");
  EXPECT_EQ(window.ByteCounter().toStdString(), "40000 / 40000 Bytes");
  EXPECT_EQ(window.BarMaximum(), 40000);
  EXPECT_EQ(window.BarValue(), 40000);
  EXPECT_EQ(window.AnimationKind(), 1);
  EXPECT_EQ(std::filesystem::file_size(console.CardDir() / "BIG.DAT"), size);
  ui.HideProgress();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgressTransferTest, AZeroByteTransferEndsWithAFullBarNotABusyOne) {
  std::ofstream(pc / "EMPTY.DAT", std::ios::binary).close();
  std::ofstream(pc / "FULL.DAT", std::ios::binary) << std::string(1000, 'k');

  ASSERT_TRUE(operations.UploadFile((pc / "EMPTY.DAT").string(), "zq:\\", false));
  EXPECT_EQ(window.ByteCounter().toStdString(), "0 / 0 Bytes");
  // Qt shows a range of 0 to 0 as busy, running without end.
  EXPECT_GT(window.BarMaximum(), 0);
  EXPECT_EQ(window.BarValue(), window.BarMaximum());

  // The next file gets its own range again.
  ASSERT_TRUE(operations.UploadFile((pc / "FULL.DAT").string(), "zq:\\", false));
  EXPECT_EQ(window.BarMaximum(), 1000);
  EXPECT_EQ(window.BarValue(), 1000);
  EXPECT_EQ(window.ByteCounter().toStdString(), "1000 / 1000 Bytes");
}

}  // namespace
}  // namespace zq::test
