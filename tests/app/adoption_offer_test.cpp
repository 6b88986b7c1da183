#include "app/rules/adoption_offer.h"

#include <gtest/gtest.h>

#include "support/fake_user_interface.h"
#include "support/memory_settings.h"

namespace zq {
namespace {

UsbCandidate Device(UsbId id, bool listed, UsbCandidate::Access access) {
  UsbCandidate device;
  device.port = "3-2";
  device.id = id;
  device.listed = listed;
  device.access = access;
  return device;
}

class AdoptionOfferTest : public ::testing::Test {
 protected:
  test::FakeUserInterface ui;
  test::MemorySettings settings;
  std::vector<UsbId> adopted;
  AdoptionOffer offer{ui, settings, [this](UsbId id, std::string&) {
                        adopted.push_back(id);
                        return true;
                      }};
};

TEST_F(AdoptionOfferTest, EachUnlistedDeviceIsAskedAboutOnceEver) {
  const auto other = Device({0x1234, 0xabcd}, false, UsbCandidate::Access::kOpens);
  const auto mine = Device({0x0a0b, 0x0c0d}, false, UsbCandidate::Access::kOpens);
  ui.ScriptAnswer(Answer::No);
  ui.ScriptAnswer(Answer::Yes);
  EXPECT_TRUE(offer.Offer({Device({0x1209, 5}, true, UsbCandidate::Access::kOpens), other, mine}));
  EXPECT_EQ(adopted, std::vector<UsbId>{mine.id});
  ASSERT_EQ(ui.Calls().size(), 2U);
  EXPECT_EQ(
      ui.Calls()[0].text,
      "a USB device that may be the ZQ61 was found:\nusb 3-2 (1234:abcd)\nuse it as the ZQ61?");
  EXPECT_EQ(ui.Calls()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(settings.GetString("USB", "not a console"), "1234:abcd");
  // Declined is never asked again (the adopted one is listed from now on).
  ui.ClearLog();
  EXPECT_FALSE(offer.Offer({other}));
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(AdoptionOfferTest, AYesWithoutPermissionSaysHowToGetIt) {
  ui.ScriptAnswer(Answer::Yes);
  EXPECT_TRUE(offer.Offer({Device({0x1234, 0xabcd}, false, UsbCandidate::Access::kNoPermission)}));
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"this user may not open the ZQ61 yet.\nrun `sudo zq61-cli usb "
                                     "--adopt 1234:abcd` once, then plug it in again"});
}

}  // namespace
}  // namespace zq
