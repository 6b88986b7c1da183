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
                                             {"--card", "/c", "--bogus"},
                                             {"--card", "/c", "--usb-gadget"},
                                             {"--card", "/c", "--fault", "no-reply:0x20"}}) {
    std::string error;
    EXPECT_FALSE(ParseEmulatorOptions(args, error));
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  const auto help = ParseEmulatorOptions({"--help"}, error);
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->help);
  for (const char* option : {"--card", "--size", "--firmware", "--unformatted", "--speed",
                             "--device-dir", "--usb-gadget", "--fault", "--verbose", "--help"}) {
    EXPECT_NE(EmulatorUsage().find(option), std::string::npos) << option;
  }
}

TEST(EmulatorOptionsTest, GadgetFolderAndFaultsAreRead) {
  std::string error;
  const auto o = ParseEmulatorOptions({"--card", "/c", "--usb-gadget", "/run/ffs", "--fault",
                                       "no-reply:0x20:0", "--fault", "short:149:2:100"},
                                      error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->usbGadget, "/run/ffs");
  ASSERT_EQ(o->console.faults.size(), 2u);
  EXPECT_EQ(o->console.faults[0].kind, Fault::Kind::kNoReply);
  EXPECT_EQ(o->console.faults[1].command, 0x95);
  EXPECT_EQ(o->console.faults[1].reply, 2);
  EXPECT_EQ(o->console.faults[1].length, 100u);
}

TEST(EmulatorOptionsTest, FaultTextsAreReadOrRefused) {
  struct Case {
    const char* text;
    bool ok;
    Fault::Kind kind = Fault::Kind::kNoReply;
    std::uint8_t command = 0;
    int reply = 0;
    std::uint8_t value = 0;  // length or code
  };
  const Case cases[] = {
      {"no-reply:0x20:0", true, Fault::Kind::kNoReply, 0x20, 0},
      {"short:0x70:1:4", true, Fault::Kind::kShortReply, 0x70, 1, 4},
      {"code:0x95:2:0xFF", true, Fault::Kind::kReplyCode, 0x95, 2, 0xFF},
      {"short:0x20:0:0", true, Fault::Kind::kShortReply, 0x20, 0, 0},
      {"no-reply:0x20", false},
      {"no-reply:0x20:0:1", false},
      {"short:0x20:0", false},
      {"code:0x100:0:1", false},
      {"short:0x20:0:256", false},
      {"slow:0x20:0:1", false},
      {"late:0x20:0:15", true, Fault::Kind::kLate, 0x20, 0},
      {"stall-in:0x20:0", true, Fault::Kind::kStallIn, 0x20, 0},
      {"stall-out:0xD0:1", true, Fault::Kind::kStallOut, 0xD0, 1},
      {"stall-in:0x20:0:1", false},
      {"code:0x20:x:1", false},
      {"", false},
  };
  for (const Case& c : cases) {
    const auto f = ParseFault(c.text);
    ASSERT_EQ(f.has_value(), c.ok) << c.text;
    if (!f) {
      continue;
    }
    EXPECT_EQ(f->kind, c.kind) << c.text;
    EXPECT_EQ(f->command, c.command) << c.text;
    EXPECT_EQ(f->reply, c.reply) << c.text;
    if (c.kind == Fault::Kind::kLate) {
      EXPECT_EQ(f->length, 1500u) << c.text;  // tenths of a second
      continue;
    }
    EXPECT_EQ(c.kind == Fault::Kind::kShortReply ? f->length : f->code, c.value) << c.text;
  }
}

}  // namespace
}  // namespace zq::emu
