// The file-system commands against the emulated console.
#include <gtest/gtest.h>

#include <fstream>

#include "emulator/console.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using emu::Fault;
using test::EmulatedConsole;

void Touch(const fs::path& p, std::size_t size) {
  std::ofstream(p, std::ios::binary) << std::string(size, 'x');
}

// The string carried by a string packet the console received.
std::string StringOf(const std::vector<std::uint8_t>& packet) {
  return std::string(packet.begin() + 1, packet.begin() + 1 + packet[0]);
}

TEST(LinkFilesTest, ListingGivesEntriesWithSizesAndKinds) {
  EmulatedConsole console;
  fs::create_directory(console.CardDir() / "GAME" / "TETRIS");
  Touch(console.CardDir() / "GAME" / "readme.txt", 1234);
  Touch(console.CardDir() / "GAME" / "a long name.txt", 5);  // a card cannot hold it
  auto session = console.Connected();

  EntryList entries(3);  // whatever was held before is released
  ASSERT_EQ(session->ListFolder(entries, "zq:\\game\\", ListMode::Full), status::kOk);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "TETRIS");
  EXPECT_TRUE(entries[0].IsFolder());
  EXPECT_EQ(entries[1].name, "README.TXT");  // a card without long names keeps upper case
  EXPECT_EQ(entries[1].nameLength, 10);
  EXPECT_EQ(entries[1].size, 1234u);
  EXPECT_FALSE(entries[1].IsFolder());

  ASSERT_EQ(session->ListFolder(entries, "zq:\\game\\", ListMode::NamesOnly), status::kOk);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].name, "README.TXT");
  EXPECT_EQ(entries[1].size, 0u);  // names only

  ASSERT_EQ(session->ListFolder(entries, "zq:\\mp3\\", ListMode::Full), status::kOk);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(session->ListFolder(entries, "zq:\\nothere\\", ListMode::Full), status::kConsoleFailed);
}

TEST(LinkFilesTest, UnformattedCardListsNothing) {
  EmulatedConsole console(test::ConsoleOptions{16, 2, 0, true});
  auto session = console.Connected();
  EntryList entries(2);
  EXPECT_EQ(session->ListFolder(entries, "zq:\\", ListMode::Full), status::kUnformatted);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(session->ListFolder(entries, "zq:\\", ListMode::NamesOnly), status::kUnformatted);
  ASSERT_EQ(session->FormatCard(60), status::kOk);
  // Formatted, the card lists as empty: the host creates the standard folders.
  ASSERT_EQ(session->ListFolder(entries, "zq:\\", ListMode::NamesOnly), status::kOk);
  EXPECT_TRUE(entries.empty());
}

TEST(LinkFilesTest, ListingThatFailsHalfWayReturnsNothing) {
  EmulatedConsole console;
  auto session = console.Connected();
  EntryList entries;
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kListFull, 2, 0xFF));
  EXPECT_EQ(session->ListFolder(entries, "zq:\\", ListMode::Full), status::kConsoleFailed);
  EXPECT_TRUE(entries.empty());
  console.Console().AddFault(Fault::ShortReply(wire::cmd::kListNames, 3, 40));
  EXPECT_EQ(session->ListFolder(entries, "zq:\\", ListMode::NamesOnly), status::kCommError);
  EXPECT_TRUE(entries.empty());
}

TEST(LinkFilesTest, NameLengthsFromTheConsoleAreBounded) {
  EmulatedConsole console;
  auto session = console.Connected();
  EntryList entries;
  // A name length that would put the size and date past the reply's end.
  console.Console().AddFault(Fault::Patch(wire::cmd::kListFull, 0, 2, {250}));
  EXPECT_EQ(session->ListFolder(entries, "zq:\\", ListMode::Full), status::kCommError);
  EXPECT_TRUE(entries.empty());
  ASSERT_EQ(session->Connect(), status::kOk);
  // The longest length a names-only reply can hold: the name is cut to 12 bytes.
  console.Console().AddFault(Fault::Patch(wire::cmd::kListNames, 0, 2, {253}));
  ASSERT_EQ(session->ListFolder(entries, "zq:\\", ListMode::NamesOnly), status::kOk);
  EXPECT_EQ(entries[0].name, "GAME");  // cut at the NUL after the real name
  console.Console().AddFault(
      Fault::Patch(wire::cmd::kListNames, 0, 2,
                   {14, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N'}));
  ASSERT_EQ(session->ListFolder(entries, "zq:\\", ListMode::NamesOnly), status::kOk);
  EXPECT_EQ(entries[0].name, "ABCDEFGHIJKL");
  EXPECT_EQ(entries[0].nameLength, 12);
}

TEST(LinkFilesTest, EntryExistsIgnoresCaseButNotTheKind) {
  EmulatedConsole console;
  Touch(console.CardDir() / "GAME" / "FOO", 1);
  fs::create_directory(console.CardDir() / "GAME" / "BAR");
  auto session = console.Connected();
  bool found = false;
  ASSERT_EQ(session->EntryExists("zq:\\game\\", "foo", false, found), status::kOk);
  EXPECT_TRUE(found);
  ASSERT_EQ(session->EntryExists("zq:\\game\\", "foo", true, found), status::kOk);
  EXPECT_FALSE(found);
  ASSERT_EQ(session->EntryExists("zq:\\game\\", "bar", true, found), status::kOk);
  EXPECT_TRUE(found);
  found = true;
  EXPECT_EQ(session->EntryExists("zq:\\none\\", "bar", true, found), status::kConsoleFailed);
  EXPECT_FALSE(found);
  // A Korean folder (CP949 B0 41) is not its neighbour B0 61, whose second
  // byte is 'a' where the other's is 'A'.
  fs::create_directory(console.CardDir() / "GAME" / "\xEC\xBA\x9A");
  ASSERT_EQ(session->EntryExists("zq:\\game\\", "\xB0\x41", true, found), status::kOk);
  EXPECT_TRUE(found);
  ASSERT_EQ(session->EntryExists("zq:\\game\\", "\xB0\x61", true, found), status::kOk);
  EXPECT_FALSE(found);
}

TEST(LinkFilesTest, FoldersAreCreatedAndRemovedWholeOnTheCard) {
  EmulatedConsole console;
  auto session = console.Connected();
  EXPECT_EQ(session->CreateFolder("zq:\\A\\B"), status::kPathMissing);
  ASSERT_EQ(session->CreateFolder("zq:\\A"), status::kOk);
  ASSERT_EQ(session->CreateFolder("zq:\\a\\B"), status::kOk);
  EXPECT_TRUE(fs::is_directory(console.CardDir() / "A" / "B"));
  EXPECT_EQ(session->CreateFolder("zq:\\A\\b"), status::kConsoleFailed);            // exists
  EXPECT_EQ(session->CreateFolder("zq:\\A\\TOOLONGNAME"), status::kConsoleFailed);  // not 8.3
  Touch(console.CardDir() / "A" / "B" / "x.bin", 10);

  console.Console().ClearReceived();
  ASSERT_EQ(session->RemoveFolder("zq:\\A"), status::kOk);
  const auto packets = console.Console().Received();
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0][0], wire::cmd::kRemoveFolder);
  EXPECT_EQ(StringOf(packets[1]), "zq:\\A\\");  // one trailing backslash
  EXPECT_FALSE(fs::exists(console.CardDir() / "A"));
  EXPECT_EQ(session->RemoveFolder("zq:\\A"), status::kConsoleFailed);

  Touch(console.CardDir() / "MP3" / "song.mp3", 10);
  EXPECT_EQ(session->RemoveFile("zq:\\mp3\\SONG.MP3"), status::kOk);
  EXPECT_FALSE(fs::exists(console.CardDir() / "MP3" / "song.mp3"));
  EXPECT_EQ(session->RemoveFile("zq:\\mp3\\SONG.MP3"), status::kConsoleFailed);
  EXPECT_EQ(session->RemoveFile("zq:\\mp3"), status::kConsoleFailed);  // a folder
}

TEST(LinkFilesTest, DiskInfoCountsClustersAndFormatEmptiesTheCard) {
  EmulatedConsole console;
  auto session = console.Connected();
  std::uint32_t total = 0, used = 0, free = 0;
  ASSERT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
  const std::uint32_t emptyUsed = used;
  Touch(console.CardDir() / "GAME" / "one.bin", 1);
  ASSERT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(used, emptyUsed + 16 * 1024);  // one byte takes a whole cluster
  EXPECT_EQ(free, total - used);

  ASSERT_EQ(session->FormatCard(60), status::kOk);
  EXPECT_FALSE(fs::exists(console.CardDir() / "GAME" / "one.bin"));
  EntryList root;
  ASSERT_EQ(session->ListFolder(root, "ZQ:\\", ListMode::NamesOnly), status::kOk);
  EXPECT_TRUE(root.empty());  // the whole card is erased, standard folders included
  ASSERT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(free, total);
}

}  // namespace
}  // namespace zq
