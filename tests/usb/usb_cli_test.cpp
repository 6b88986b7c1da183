// zq61-cli against the USB gadget as a person runs it: no transport setting,
// so it looks among the USB devices first.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/cli_process.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(UsbCliTest, InfoLsPutAndGetFindTheConsoleOnUsbByThemselves) {
  ::unsetenv("ZQ61_TRANSPORT");
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  const fs::path noDevices = gadget.Root() / "dev";  // an empty device directory
  fs::create_directories(noDevices);

  const CliRun info = RunCli({"info"}, noDevices);
  EXPECT_EQ(info.exitStatus, 0) << info.err;
  EXPECT_NE(info.out.find("firmware:       2.0"), std::string::npos) << info.out;

  const CliRun verbose = RunCli({"--verbose", "df"}, noDevices);
  EXPECT_NE(verbose.out.find("completeDeviceName = (usb "), std::string::npos) << verbose.out;

  const CliRun ls = RunCli({"ls"}, noDevices);
  EXPECT_EQ(ls.exitStatus, 0) << ls.err;
  EXPECT_NE(ls.out.find("DIR   GAME"), std::string::npos) << ls.out;

  const fs::path pc = gadget.Root() / "pc";
  fs::create_directories(pc / "back");
  std::string content(70000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) {
    content[i] = static_cast<char>(i * 7);
  }
  std::ofstream(pc / "DATA.BIN", std::ios::binary) << content;
  const CliRun put = RunCli({"--quiet", "put", (pc / "DATA.BIN").string(), "zq:/GAME"}, noDevices);
  EXPECT_EQ(put.exitStatus, 0) << put.err;
  const CliRun get =
      RunCli({"--quiet", "get", "zq:/GAME/DATA.BIN", (pc / "back").string()}, noDevices);
  EXPECT_EQ(get.exitStatus, 0) << get.err;
  EXPECT_EQ(Bytes(pc / "back" / "DATA.BIN"), content);

  const CliRun usb = RunCli({"usb"}, noDevices);
  EXPECT_EQ(usb.exitStatus, 0);
  EXPECT_NE(usb.out.find("1209:0005  yes"), std::string::npos) << usb.out;
}

}  // namespace
}  // namespace zq::test
