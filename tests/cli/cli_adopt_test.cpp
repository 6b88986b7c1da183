#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "cli/cli_fixture.h"
#include "cli/udev_rule.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;

// zq61-cli runs with a configuration folder and a udev rules folder of the
// test's own: the person's settings and the machine's rules stay untouched.
class CliAdoptTest : public CliTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(home / "rules");
    ::setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    ::setenv("ZQ61_UDEV_RULES_DIR", (home / "rules").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("ZQ61_UDEV_RULES_DIR");
  }
  TempDir home{"zq-cli-home"};
};

TEST_F(CliAdoptTest, AdoptKeepsTheIdAndItsRuleAndForgetUndoesBoth) {
  const auto ids = home / "ZQ61 Program" / "usb-ids";
  const auto rule = home / "rules" / "70-zq61-1234-abcd.rules";
  CliRun run = Cli({"usb", "--adopt", "1234:ABCD"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(ReadText(ids), "1234:abcd\n");
  EXPECT_THAT(run.out, HasSubstr("1234:abcd is a console ID from now on"));
  if (::geteuid() == 0) {
    EXPECT_THAT(ReadText(rule), HasSubstr(cli::UdevRuleLine({0x1234, 0xabcd})));
  } else {
    EXPECT_THAT(run.out, HasSubstr("sudo tee " + rule.string()));
  }
  run = Cli({"usb", "--forget", "1234:abcd"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(ReadText(ids), "");
  EXPECT_EQ(std::filesystem::exists(rule), false);
}

TEST_F(CliAdoptTest, OneIdIsExpected) {
  for (const std::vector<std::string>& words : {std::vector<std::string>{"usb", "--adopt"},
                                                {"usb", "--adopt", "12:34,56:78"},
                                                {"usb", "--adopt", "zq61"},
                                                {"usb", "--take", "1234:abcd"}}) {
    EXPECT_EQ(Cli(words).exitStatus, 2) << words.back();
  }
}

TEST(UdevRule, TheProjectsLineWithTheAdoptedId) {
  EXPECT_EQ(cli::UdevRuleLine({0x04b4, 0x1004}),
            "SUBSYSTEM==\"usb\", ENV{DEVTYPE}==\"usb_device\", ATTR{idVendor}==\"04b4\", "
            "ATTR{idProduct}==\"1004\", TAG+=\"uaccess\"");
}

}  // namespace
}  // namespace zq::test
