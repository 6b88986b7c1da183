// The link over a real USB stack: zq61-emu as a FunctionFS gadget on
// dummy_hcd, the host through UsbTransport (libusb). Runs inside the test
// guest (scripts/usb-vm), as root.
#include <gtest/gtest.h>
#include <libusb.h>

#include <fstream>
#include <string>
#include <vector>

#include "link/link_session.h"
#include "platform/usb/usb_ids.h"
#include "platform/usb/usb_listing.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<std::uint8_t>(i * 131 + (i >> 9));
  }
  return data;
}

TEST(UsbLinkTest, TheHostTakesPipe00AndPipe02ByTheirPositions) {
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  std::string error;
  const auto candidates = ListUsbCandidates({kEmulatorGadgetId}, error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(candidates.size(), 1u);
  const UsbCandidate& c = candidates[0];
  EXPECT_TRUE(c.listed);
  EXPECT_EQ(c.access, UsbCandidate::Access::kOpens);
  EXPECT_EQ(c.product, "ZQ61 console (zq61-emu)");
  // The gadget is laid out [bulk IN, bulk OUT, bulk OUT] as a console is;
  // dummy_udc may renumber the endpoints, so the host reads them from the
  // descriptors: PIPE02 is the third endpoint, not the first OUT.
  libusb_context* context = nullptr;
  ASSERT_EQ(libusb_init(&context), LIBUSB_SUCCESS);
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context, &list);
  std::vector<std::uint8_t> layout;
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor d{};
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_device_descriptor(list[i], &d) == LIBUSB_SUCCESS && d.idVendor == 0x1209 &&
        d.idProduct == 0x0005 &&
        libusb_get_active_config_descriptor(list[i], &config) == LIBUSB_SUCCESS) {
      const libusb_interface_descriptor& setting = config->interface[0].altsetting[0];
      for (int e = 0; e < setting.bNumEndpoints; ++e) {
        layout.push_back(setting.endpoint[e].bEndpointAddress);
      }
      libusb_free_config_descriptor(config);
    }
  }
  libusb_free_device_list(list, 1);
  libusb_exit(context);
  ASSERT_EQ(layout.size(), 3u);
  EXPECT_NE(layout[1] & 0x80, 0x80);  // the second endpoint is an OUT the host leaves alone
  EXPECT_EQ(c.pipes.inAddress, layout[0]);
  EXPECT_EQ(c.pipes.outAddress, layout[2]);
  EXPECT_EQ(c.pipes.inMaxPacket, UsbSpeedMbps() == 480 ? 512 : 64);
}

TEST(UsbLinkTest, EveryCommandIsAnswered) {
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  EXPECT_EQ(link->FirmwareMajor(), 2);
  EXPECT_EQ(link->BlockSize(), LinkSession::kLargeBlock);
  std::array<std::uint8_t, 24> id{};
  EXPECT_EQ(link->Query(2, id), status::kOk);
  EXPECT_EQ(id, link->Identification());

  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
  EXPECT_EQ(used + free, total);

  EXPECT_EQ(link->CreateFolder("zq:\\GAME\\RACE"), status::kOk);
  EXPECT_EQ(link->CreateFolder("zq:\\NONE\\X"), status::kPathMissing);
  const auto data = Pattern(300);  // two data packets, 256 and 44 bytes
  EXPECT_EQ(link->SendFile(data, "zq:\\GAME\\RACE", "A.DAT", nullptr, nullptr), status::kOk);
  EXPECT_EQ(link->SendFile(data, "zq:\\NONE", "A.DAT", nullptr, nullptr), status::kPathMissing);

  EntryList entries;
  EXPECT_EQ(link->ListFolder(entries, "zq:\\GAME\\RACE\\", ListMode::Full), status::kOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "A.DAT");
  EXPECT_EQ(entries[0].size, 300u);
  EXPECT_EQ(link->ListFolder(entries, "zq:\\GAME\\", ListMode::NamesOnly), status::kOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(entries[0].IsFolder());
  bool found = false;
  EXPECT_EQ(link->EntryExists("zq:\\GAME\\RACE", "a.dat", false, found), status::kOk);
  EXPECT_TRUE(found);

  std::vector<std::uint8_t> back;
  EXPECT_EQ(link->ReceiveFile("zq:\\GAME\\RACE\\A.DAT", "A.DAT", back, nullptr, nullptr),
            status::kOk);
  EXPECT_EQ(back, data);
  EXPECT_EQ(link->RemoveFile("zq:\\GAME\\RACE\\A.DAT"), status::kOk);
  EXPECT_EQ(link->RemoveFolder("zq:\\GAME\\RACE"), status::kOk);
  EXPECT_EQ(link->FormatCard(60), status::kOk);
  EXPECT_EQ(link->ListFolder(entries, "zq:\\", ListMode::Full), status::kOk);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(link->Disconnect(), status::kOk);

  // A second host session on the same device.
  auto again = UsbSession();
  EXPECT_EQ(again->Connect(), status::kOk);
  EXPECT_EQ(again->QueryDiskInfo(total, used, free), status::kOk);
}

TEST(UsbLinkTest, AnUnformattedCardSaysSoUntilFormatted) {
  UsbGadget gadget({"--unformatted"});
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  EntryList entries;
  EXPECT_EQ(link->ListFolder(entries, "zq:\\", ListMode::Full), status::kUnformatted);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(link->FormatCard(60), status::kOk);
  EXPECT_EQ(link->ListFolder(entries, "zq:\\", ListMode::Full), status::kOk);
}

class UsbFirmwareTest : public ::testing::TestWithParam<const char*> {};

TEST_P(UsbFirmwareTest, OneMebibyteGoesBothWaysByteEqual) {
  UsbGadget gadget({"--firmware", GetParam(), "--size", "16"});
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  const bool small = std::string(GetParam()) == "1.4";
  EXPECT_EQ(link->BlockSize(), small ? LinkSession::kSmallBlock : LinkSession::kLargeBlock);
  const auto data = Pattern(1024 * 1024);
  std::uint32_t packets = 0;
  const PacketCallback count = [&](const TransferProgress&) {
    ++packets;
    return status::kGoOn;
  };
  ASSERT_EQ(link->SendFile(data, "zq:\\GAME", "BIG.BIN", nullptr, count), status::kOk);
  EXPECT_EQ(packets, 4096u);
  std::ifstream stored(gadget.Card() / "GAME" / "BIG.BIN", std::ios::binary);
  const std::vector<std::uint8_t> onCard((std::istreambuf_iterator<char>(stored)),
                                         std::istreambuf_iterator<char>());
  EXPECT_EQ(onCard, data);
  std::vector<std::uint8_t> back;
  ASSERT_EQ(link->ReceiveFile("zq:\\GAME\\BIG.BIN", "BIG.BIN", back, nullptr, nullptr),
            status::kOk);
  EXPECT_EQ(back, data);
}

INSTANTIATE_TEST_SUITE_P(Firmware, UsbFirmwareTest, ::testing::Values("2.0", "1.4"));

}  // namespace
}  // namespace zq::test
