#include "platform/search_transport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "link/link_session.h"
#include "platform/transport_choice.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

// A search that finds (or not) one device whose pipes open (or not).
class FakeSearch final : public DeviceSearch {
 public:
  FakeSearch(std::string name, bool found, bool pipesOpen)
      : name_(std::move(name)), found_(found), pipesOpen_(pipesOpen) {}
  std::unique_ptr<FoundDevice> FindDevice(const DiagnosticLines& lines) override {
    ++searches;
    lines.Print("Attempting to open " + name_ + "\n");
    if (!found_) {
      lines.Print("FAILED to open " + name_ + "\n");
      return nullptr;
    }
    return std::make_unique<Device>(name_, pipesOpen_);
  }
  int searches = 0;

 private:
  class Device final : public FoundDevice {
   public:
    Device(std::string name, bool open) : name_(std::move(name)), open_(open) {}
    std::string Name() const override { return name_; }
    std::unique_ptr<Endpoint> OpenPipe(std::string_view, int& error) override {
      error = 13;
      return open_ ? std::make_unique<NullEndpoint>() : nullptr;
    }

   private:
    std::string name_;
    bool open_;
  };
  class NullEndpoint final : public Endpoint {
    IoResult Write(std::span<const std::uint8_t>, std::size_t&, const CancelSignal&) override {
      return IoResult::kFailed;
    }
    IoResult Read(std::span<std::uint8_t>, std::size_t&, const CancelSignal&) override {
      return IoResult::kFailed;
    }
    IoResult TryWrite(std::span<const std::uint8_t>, std::size_t&) override {
      return IoResult::kFailed;
    }
    IoResult TryRead(std::span<std::uint8_t>, std::size_t&) override { return IoResult::kFailed; }
  };
  std::string name_;
  bool found_;
  bool pipesOpen_;
};

struct OrderCase {
  const char* what;
  bool usbFound, dirFound, pipeOpens;
  bool opened;
  int dirSearches;
  std::string lines;
};

TEST(SearchTransportTest, SearchesInOrderAndPrintsTheDriversLinesOnce) {
  const std::string u = "Attempting to open usb 1-1 (1209:0005)\n";
  const std::string uf = "FAILED to open usb 1-1 (1209:0005)\n";
  const std::string d = "Attempting to open /dev/zq61/a\n";
  const std::string df = "FAILED to open /dev/zq61/a\n";
  const std::vector<OrderCase> cases = {
      {"USB first", true, true, true, true, 0,
       u + "completeDeviceName = (usb 1-1 (1209:0005)/PIPE00)\nOpened successfully.\n"},
      {"then the directory", false, true, true, true, 1,
       u + uf + d + "completeDeviceName = (/dev/zq61/a/PIPE00)\nOpened successfully.\n"},
      {"neither: one line for both", false, false, true, false, 1,
       u + uf + d + df + "Failed to GetUsbDeviceFileName\n"},
      {"found, the pipe does not open", true, true, false, false, 0,
       u + "completeDeviceName = (usb 1-1 (1209:0005)/PIPE00)\n"
           "Failed to open (usb 1-1 (1209:0005)/PIPE00) = 13"},
  };
  for (const OrderCase& c : cases) {
    auto usb = std::make_shared<FakeSearch>("usb 1-1 (1209:0005)", c.usbFound, c.pipeOpens);
    auto dir = std::make_shared<FakeSearch>("/dev/zq61/a", c.dirFound, c.pipeOpens);
    std::string lines;
    SearchTransport transport({usb, dir}, [&](const std::string& line) { lines += line; });
    EXPECT_EQ(transport.OpenPipe("PIPE00") != nullptr, c.opened) << c.what;
    EXPECT_EQ(dir->searches, c.dirSearches) << c.what;
    EXPECT_EQ(lines, c.lines) << c.what;
    lines.clear();
    transport.SetDiagnostics(false);
    transport.OpenPipe("PIPE02");
    EXPECT_EQ(lines, "") << c.what;
  }
}

TEST(SearchTransportTest, TransportChoiceWords) {
  EXPECT_EQ(ParseTransportChoice("usb"), TransportChoice::kUsb);
  EXPECT_EQ(ParseTransportChoice("dir"), TransportChoice::kDirectory);
  for (const char* other : {"", "USB", "both", "usb,dir"}) {
    EXPECT_EQ(ParseTransportChoice(other), TransportChoice::kUsbThenDirectory) << other;
  }
}

TEST(SearchTransportTest, WithoutAUsbConsoleTheProgramsFindTheEmulatorInTheDirectory) {
  test::EmulatedConsole console;
  ::setenv("ZQ61_DEVICE_DIR", console.DeviceDir().c_str(), 1);
  for (const auto choice : {TransportChoice::kUsbThenDirectory, TransportChoice::kDirectory}) {
    std::string lines;
    auto made = MakeConsoleTransport(choice, [&](const std::string& line) { lines += line; });
    EXPECT_EQ(made.usb != nullptr, choice == TransportChoice::kUsbThenDirectory);
    LinkSession link(made.transport);
    EXPECT_EQ(link.Connect(), status::kOk);
    EXPECT_NE(lines.find("completeDeviceName = (" + (console.DeviceDir() / "console0").string()),
              std::string::npos)
        << lines;
  }
  LinkSession usbOnly(
      MakeConsoleTransport(TransportChoice::kUsb, [](const std::string&) {}).transport);
  EXPECT_EQ(usbOnly.Connect(), status::kOpenPortFailed);
  ::unsetenv("ZQ61_DEVICE_DIR");
}

}  // namespace
}  // namespace zq
