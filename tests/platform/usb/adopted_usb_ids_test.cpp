#include "platform/usb/adopted_usb_ids.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "support/temp_dir.h"

namespace zq {
namespace {

TEST(AdoptedUsbIds, AdoptedOnceEachInOrderAndForgottenAgain) {
  test::TempDir dir("zq-adopted");
  const auto file = dir / "ZQ61 Program" / "usb-ids";  // the folder is made when needed
  std::string error;
  EXPECT_TRUE(ReadAdoptedUsbIds(file).empty());
  ASSERT_TRUE(AdoptUsbId({0x1234, 0xabcd}, error, file)) << error;
  ASSERT_TRUE(AdoptUsbId({0x0001, 0x0002}, error, file));
  ASSERT_TRUE(AdoptUsbId({0x1234, 0xabcd}, error, file));
  EXPECT_EQ(ReadAdoptedUsbIds(file), (std::vector<UsbId>{{0x1234, 0xabcd}, {0x0001, 0x0002}}));
  ASSERT_TRUE(ForgetUsbId({0x1234, 0xabcd}, error, file));
  ASSERT_TRUE(ForgetUsbId({0x9999, 0x9999}, error, file));  // not there: nothing to do
  EXPECT_EQ(ReadAdoptedUsbIds(file), (std::vector<UsbId>{{0x0001, 0x0002}}));
}

TEST(AdoptedUsbIds, LinesThatAreNoIdArePassedOver) {
  test::TempDir dir("zq-adopted");
  std::ofstream(dir / "usb-ids") << "# mine\n1209:0006\n\nnonsense\n 04b4:1004 \n";
  EXPECT_EQ(ReadAdoptedUsbIds(dir / "usb-ids"),
            (std::vector<UsbId>{{0x1209, 0x0006}, {0x04b4, 0x1004}}));
}

TEST(AdoptedUsbIds, AFileThatCannotBeWrittenSaysSo) {
  std::string error;
  EXPECT_FALSE(AdoptUsbId({1, 2}, error, "/proc/zq61/usb-ids"));
  EXPECT_EQ(error, "cannot write /proc/zq61/usb-ids");
}

TEST(AdoptedUsbIds, TheConsoleIdsEndWithTheAdoptedOnes) {
  test::TempDir config("zq-config");
  ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  EXPECT_EQ(AdoptedUsbIdsFile(), config / "ZQ61 Program" / "usb-ids");
  std::string error;
  ASSERT_TRUE(AdoptUsbId({0x0a0b, 0x0c0d}, error));
  ASSERT_TRUE(AdoptUsbId(kEmulatorGadgetId, error));  // listed already: once in the list
  const std::vector<UsbId> ids = ConsoleUsbIds();
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(ids, (std::vector<UsbId>{kEmulatorGadgetId, {0x0a0b, 0x0c0d}}));
}

}  // namespace
}  // namespace zq
