#include "cli/usb_report.h"

#include <gtest/gtest.h>

namespace zq::cli {
namespace {

UsbCandidate Candidate(UsbId id, bool listed, UsbCandidate::Access access, std::string detail) {
  UsbCandidate c;
  c.bus = 1;
  c.address = 4;
  c.port = "1-1.2";
  c.id = id;
  c.product = "ZQ61";
  c.listed = listed;
  c.access = access;
  c.detail = std::move(detail);
  return c;
}

TEST(UsbReportTest, RowsSayWhetherEachDeviceIsListedAndOpens) {
  const auto table =
      UsbCandidateTable({Candidate({0x1209, 5}, true, UsbCandidate::Access::kOpens, ""),
                         Candidate({0x1234, 0xabcd}, false, UsbCandidate::Access::kBusy,
                                   "busy: another program holds it")});
  EXPECT_NE(table.find("001  1-1.2     1209:0005  yes        ZQ61"), std::string::npos) << table;
  EXPECT_NE(table.find("  yes\n"), std::string::npos) << table;
  EXPECT_NE(table.find("1234:abcd  candidate"), std::string::npos) << table;
  EXPECT_NE(table.find("no: busy: another program holds it\n"), std::string::npos) << table;
  EXPECT_NE(table.find("ZQ61_USB_IDS=vvvv:pppp"), std::string::npos) << table;
  EXPECT_NE(table.find("zq61-cli usb --adopt"), std::string::npos) << table;
  EXPECT_EQ(table.find("udevadm"), std::string::npos) << table;  // nobody lacks permission
}

TEST(UsbReportTest, AListedDeviceWithoutPermissionGetsTheUdevAdvice) {
  const auto table = UsbCandidateTable(
      {Candidate({0x1209, 5}, true, UsbCandidate::Access::kNoPermission, "no permission")});
  EXPECT_NE(table.find("no: no permission"), std::string::npos) << table;
  EXPECT_NE(table.find("70-zq61.rules"), std::string::npos) << table;
  EXPECT_EQ(table.find("ZQ61_USB_IDS"), std::string::npos) << table;
  EXPECT_NE(UsbCandidateTable({}).find("no USB device"), std::string::npos);
}

TEST(UsbReportTest, ThePermissionHintNamesTheDevicesAndWhatToDo) {
  const auto one = UsbPermissionHint({"usb 1-1 (1209:0005)"});
  EXPECT_EQ(one.rfind("zq61-cli: usb 1-1 (1209:0005) is a console this user may not open: ", 0), 0u)
      << one;
  EXPECT_NE(one.find("/etc/udev/rules.d/"), std::string::npos);
  EXPECT_NE(one.find("udevadm control --reload"), std::string::npos);
  const auto two = UsbPermissionHint({"usb 1-1 (1209:0005)", "usb 2-3 (1209:0005)"});
  EXPECT_NE(two.find("usb 1-1 (1209:0005), usb 2-3 (1209:0005) are consoles"), std::string::npos);
}

}  // namespace
}  // namespace zq::cli
