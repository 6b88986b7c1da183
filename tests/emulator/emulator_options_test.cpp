#include "emulator/emulator_options.h"

#include <gtest/gtest.h>

namespace zq::emu {
namespace {

TEST(EmulatorOptionsTest, EveryOptionIsRead) {
  std::string error;
  const auto o =
      ParseEmulatorOptions({"--card", "/c", "--size", "8", "--firmware", "1.4", "--unformatted",
                            "--speed", "300", "--device-dir", "/d", "--verbose"},
                           error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->console.card, "/c");
  EXPECT_EQ(o->console.sizeMiB, 8u);
  EXPECT_EQ(o->console.firmwareMajor, 1);
  EXPECT_EQ(o->console.firmwareMinor, 4);
  EXPECT_TRUE(o->console.unformatted);
  EXPECT_EQ(o->console.speedKiBPerSecond, 300u);
  EXPECT_EQ(o->console.deviceDir, "/d");
  EXPECT_TRUE(o->verbose);
  EXPECT_FALSE(o->help);
}

TEST(EmulatorOptionsTest, WrongArgumentsAreRefusedWithAReason) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"--card"},
                                             {"--card", "/c", "--size", "5"},
                                             {"--card", "/c", "--size", "x"},
                                             {"--card", "/c", "--firmware", "2"},
                                             {"--card", "/c", "--firmware", "1.300"},
                                             {"--card", "/c", "--speed", "0"},
                                             {"--card", "/c", "--bogus"}}) {
    std::string error;
    EXPECT_FALSE(ParseEmulatorOptions(args, error));
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  const auto help = ParseEmulatorOptions({"--help"}, error);
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->help);
  for (const char* option : {"--card", "--size", "--firmware", "--unformatted", "--speed",
                             "--device-dir", "--verbose", "--help"}) {
    EXPECT_NE(EmulatorUsage().find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace zq::emu
