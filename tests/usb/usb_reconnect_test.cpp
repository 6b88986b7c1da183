// A console that is not there yet, goes away and comes back, on a real USB
// stack: `zq61-cli --wait`, the window (offscreen, on its own ticks) and a
// device whose ID no list names until a person adopts it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <thread>

#include "app/cmain_frame.h"
#include "app/console_offers.h"
#include "app/console_watcher.h"
#include "cli/cli_process.h"
#include "gui/window_fixture.h"
#include "usb/usb_environment.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(UsbWaitTest, WaitStartedBeforeTheGadgetRunsTheCommandOnceItIsBound) {
  OwnConfig own;
  auto run = std::async(std::launch::async, [&] {
    return RunCli({"--wait=90", "info"}, own.noDevices, {}, 120s);
  });
  std::this_thread::sleep_for(1500ms);
  ASSERT_EQ(run.wait_for(0s), std::future_status::timeout) << "it did not wait";
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  const CliRun info = run.get();
  EXPECT_EQ(info.exitStatus, 0) << info.err;
  EXPECT_TRUE(Has(info.err, "waiting for the ZQ61")) << info.err;
  EXPECT_TRUE(Has(info.out, "firmware:       2.0")) << info.out;
}

TEST(UsbAdoptTest, AnUnlistedConsoleIsACandidateUntilAdoptedThenServed) {
  OwnConfig own;
  UsbGadget gadget({}, kUnlistedId);
  ASSERT_TRUE(gadget.Ready());

  const CliRun listed = RunCli({"usb"}, own.noDevices);
  EXPECT_TRUE(Has(listed.out, "1209:0e61  candidate")) << listed.out;
  const CliRun refused = RunCli({"info"}, own.noDevices);
  EXPECT_NE(refused.exitStatus, 0);
  EXPECT_TRUE(Has(refused.err, "failed to open USB port\n")) << refused.err;
  EXPECT_TRUE(Has(refused.err, "zq61-cli usb --adopt 1209:0e61")) << refused.err;

  const CliRun adopt = RunCli({"usb", "--adopt", "1209:0e61"}, own.noDevices);
  EXPECT_EQ(adopt.exitStatus, 0) << adopt.err;
  EXPECT_TRUE(fs::exists(own.rules / "70-zq61-1209-0e61.rules")) << adopt.out;
  const CliRun info = RunCli({"info"}, own.noDevices);
  EXPECT_EQ(info.exitStatus, 0) << info.err;
  EXPECT_TRUE(Has(info.out, "firmware:       2.0")) << info.out;

  const CliRun forget = RunCli({"usb", "--forget", "1209:0e61"}, own.noDevices);
  EXPECT_EQ(forget.exitStatus, 0) << forget.err;
  EXPECT_FALSE(fs::exists(own.rules / "70-zq61-1209-0e61.rules"));
  EXPECT_NE(RunCli({"info"}, own.noDevices).exitStatus, 0);
}

// The window on the USB transport with its own watcher and ticks, as the
// program wires them, started while no console is plugged in; with udevd
// running (the hot-plug notice comes) or not (the ticks alone find it).
class UsbWindowTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (udev && !udev->Ready()) {
      GTEST_SKIP() << "no udevd here (scripts/setup installs it)";
    }
    ui.frame = &frame;
    frame.Tree()->SetDrives({{"Test (" + pc.Path().string() + ")", pc.Path().string() + "/"}});
    frame.resize(900, 600);
    frame.show();
    EXPECT_FALSE(frame.InitialUpdate("/prog/"));
    frame.Activate();
    watcher.Start();
    ui.ClearLog();
  }

  // Lets the window run until `done` holds; the time it took, or -1.
  static qint64 RunUntil(const std::function<bool()>& done, qint64 limitMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done() ? clock.elapsed() : -1;
  }
  std::string State() const { return frame.StatePane()->text().toStdString(); }
  // The sizes come through the interface; a lost console clears the pane.
  std::string Disk() const { return ui.DiskText(); }
  std::string DiskPane() const { return frame.DiskPane()->text().toStdString(); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const QString& name : frame.List()->RowNames()) {
      names.push_back(name.toStdString());
    }
    return names;
  }
  bool Shows(const std::string& name) {
    const auto names = Names();
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  void ExpectConnected(qint64 tookMs) {
    EXPECT_GE(tookMs, 0);
    // A tick a second, and a connection of a few commands under emulation;
    // the hot-plug notice does not wait for the tick.
    EXPECT_LT(tookMs, udev ? 500 : 4000);
    std::printf("[ USB      ] connected %lld ms after the device appeared%s\n",
                static_cast<long long>(tookMs), udev ? " (udev runs)" : "");
    EXPECT_EQ(State(), "ready");
    EXPECT_TRUE(Has(Disk(), "total size:16384KB")) << Disk();
    EXPECT_FALSE(frame.Tree()->ConsoleNode()->isDisabled());
  }

  std::unique_ptr<RunningUdev> udev = GetParam() ? std::make_unique<RunningUdev>() : nullptr;
  OwnConfig own;
  TempDir pc{"zq-usb-pc"};
  std::unique_ptr<LinkSession> link = UsbSession();
  WindowUi ui;
  DeviceOperations operations{*link, ui};
  MemorySettings settings;
  CMainFrame frame{ui, operations, settings};
  ConsoleWatcher watcher{frame, *link, ConsolePresence(TransportChoice::kUsb, {})};
};

TEST_P(UsbWindowTest, ConnectsWhenBoundNoticesTheUnplugAndReconnectsAtTheFolderShown) {
  RunUntil([] { return false; }, 1500);  // ticks with nothing to find
  EXPECT_EQ(State(), "not connected to ZQ61");
  EXPECT_TRUE(frame.Tree()->ConsoleNode()->isDisabled());

  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  ExpectConnected(RunUntil([&] { return frame.IsConnected(); }));
  fs::create_directories(gadget.Card() / "MP3");
  std::ofstream(gadget.Card() / "MP3" / "ONE.MP3", std::ios::binary) << std::string(4096, 'x');
  frame.List()->NavigateTo("zq:\\MP3\\");
  EXPECT_TRUE(Shows("ONE.MP3"));

  gadget.Unplug();
  const qint64 lost = RunUntil([&] { return !frame.IsConnected(); });
  EXPECT_GE(lost, 0);
  std::printf("[ USB      ] the unplug noticed after %lld ms\n", static_cast<long long>(lost));
  EXPECT_EQ(State(), "not connected to ZQ61");
  EXPECT_EQ(DiskPane(), "");
  EXPECT_TRUE(Names().empty());

  ASSERT_TRUE(gadget.Plug());
  ExpectConnected(RunUntil([&] { return frame.IsConnected(); }));
  EXPECT_EQ(frame.List()->CurrentPath(), "zq:\\MP3\\");
  EXPECT_TRUE(Shows("ONE.MP3"));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{});
}

TEST_P(UsbWindowTest, AnUnlistedConsoleIsOfferedOnceAndServedWhenTheAnswerIsYes) {
  WireAdoptionOffer(watcher, ui, settings);
  UsbGadget gadget({}, kUnlistedId);
  ASSERT_TRUE(gadget.Ready());
  ui.ScriptAnswer(Answer::Yes);
  ExpectConnected(RunUntil([&] { return frame.IsConnected(); }));
  ASSERT_EQ(ui.LogOf("ask").size(), 1U);
  EXPECT_TRUE(Has(ui.LogOf("ask")[0], "(1209:0e61, ZQ61 console (zq61-emu))\nuse it as the ZQ61?"))
      << ui.LogOf("ask")[0];
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutUdev, UsbWindowTest, ::testing::Bool(),
                         [](const auto& run) { return run.param ? "udev" : "ticks"; });

}  // namespace
}  // namespace zq::test
