// The emulated card and console as strict as a real console: upper case
// 8.3 names, Korean names compared whole, the firmware's block size.
#include <gtest/gtest.h>

#include <fstream>

#include "emulator/card_names.h"
#include "emulator/console.h"
#include "link/byte_order.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "support/emulated_console.h"

namespace zq::emu {
namespace {

namespace fs = std::filesystem;

TEST(CardTest, NamesAreListedInUpperCaseAndComparedWithKoreanCharactersWhole) {
  test::EmulatedConsole console;
  std::ofstream(console.CardDir() / "GAME" / "lower.txt") << "l";
  std::ofstream(console.CardDir() / "GAME" / "Mixed.Bin") << "m";
  // CP949 B0 41 (UTF-8 EC BA 9A), whose second byte is 'A'.
  fs::create_directory(console.CardDir() / "GAME" /
                       "\xEC\xBA\x9A"
                       "b");
  auto session = console.Connected();
  EntryList entries;
  ASSERT_EQ(session->ListFolder(entries, "zq:\\GAME\\", ListMode::Full), status::kOk);
  std::vector<std::string> names;
  for (const RemoteEntry& e : entries) {
    names.push_back(e.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"\xB0\x41"
                                             "B",
                                             "LOWER.TXT", "MIXED.BIN"}));
  // Looked up ignoring case, but B0 61 is another character than B0 41.
  EXPECT_EQ(session->ListFolder(entries,
                                "zq:\\game\\\xB0\x41"
                                "b\\",
                                ListMode::Full),
            status::kOk);
  EXPECT_EQ(session->ListFolder(entries,
                                "zq:\\game\\\xB0\x61"
                                "B\\",
                                ListMode::Full),
            status::kConsoleFailed);

  EXPECT_TRUE(SameNameIgnoringAsciiCase("\xB0\x41x", "\xB0\x41X"));
  EXPECT_FALSE(SameNameIgnoringAsciiCase("\xB0\x41", "\xB0\x61"));
  EXPECT_EQ(UpperCaseShortName("ab\xB0\x61.c"), "AB\xB0\x61.C");
}

TEST(CardTest, HostNamesDifferingOnlyInCaseAreListedOnce) {
  test::EmulatedConsole console;
  std::ofstream(console.CardDir() / "GAME" / "a.txt") << "1";
  std::ofstream(console.CardDir() / "GAME" / "A.TXT") << "2";
  auto session = console.Connected();
  EntryList entries;
  ASSERT_EQ(session->ListFolder(entries, "zq:\\GAME\\", ListMode::Full), status::kOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "A.TXT");
}

TEST(CardTest, ABlockLongerThanTheFirmwareTakesIsRefused) {
  struct Case {
    std::uint8_t major, minor;
    std::uint32_t block;
    std::uint8_t reply;
  };
  const Case cases[] = {
      {1, 4, 32768, wire::reply::kSendWantData}, {1, 4, 32769, wire::reply::kFailed},
      {1, 4, 262144, wire::reply::kFailed},      {1, 5, 262144, wire::reply::kSendWantData},
      {2, 0, 262145, wire::reply::kFailed},
  };
  for (const Case& c : cases) {
    test::EmulatedConsole console(test::ConsoleOptions{16, c.major, c.minor, false});
    auto session = console.Connected();
    // The send-file exchange by hand, up to the first block's length.
    ASSERT_EQ(session->SendCode(wire::cmd::kSendFile), status::kOk);
    ASSERT_EQ(session->SendString("zq:\\GAME\\"), status::kOk);
    ASSERT_EQ(session->ReceiveReply(5), status::kOk);
    ASSERT_EQ(session->Packet()[0], wire::reply::kSendFolderOk);
    ASSERT_EQ(session->SendString("BIG.BIN"), status::kOk);
    ASSERT_EQ(session->ReceiveReply(5), status::kOk);
    ASSERT_EQ(session->Packet()[0], wire::reply::kSendNameOk);
    ASSERT_EQ(session->SendValue(300000), status::kOk);
    ASSERT_EQ(session->ReceiveReply(5), status::kOk);
    ASSERT_EQ(session->Packet()[0], wire::reply::kSendWantLength);
    ASSERT_EQ(session->SendValue(c.block), status::kOk);
    ASSERT_EQ(session->ReceiveReply(5), status::kOk);
    EXPECT_EQ(session->Packet()[0], c.reply)
        << int{c.major} << "." << int{c.minor} << ", block " << c.block;
  }
}

}  // namespace
}  // namespace zq::emu
