#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"
#include "support/mp3_builder.h"

namespace zq::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

class CliMp3Test : public CliTest {};

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(CliMp3Test, ShowPrintsTheTagAsTheBasketReadsIt) {
  Mp3Builder()
      .Id3v2({0, 0, 0, 20}, 0, 20)
      .Audio(3000)
      .Id3v1({"Morning", "The Band", "First", "1999", "live", 17})
      .WriteTo(Pc() / "song.mp3");
  const CliRun run = Cli({"mp3", "show", (Pc() / "song.mp3").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_THAT(run.out, HasSubstr("ZQ name:   song.mp3\n"));
  // The console receives the audio and a fresh tag: the ID3v2 tag is left out.
  EXPECT_THAT(run.out, HasSubstr("size:      3128 bytes\n"));
  EXPECT_THAT(run.out, HasSubstr("title:     Morning\n"));
  EXPECT_THAT(run.out, HasSubstr("artist:    The Band\n"));
  EXPECT_THAT(run.out, HasSubstr("year:      1999\n"));
  EXPECT_THAT(run.out, HasSubstr("genre:     17 Rock\n"));
}

TEST_F(CliMp3Test, SendWritesTheAudioAndTheExactTagToTheCard) {
  StartConsole();
  Mp3Builder()
      .Id3v2({0, 0, 1, 0}, 0, 128)
      .Audio(5000, 3)
      .Id3v1({"Old Title", "The Band", "", "", "", 17})
      .WriteTo(Pc() / "track01.mp3");

  const CliRun run = Cli({"mp3", "send", (Pc() / "track01.mp3").string(), "--name", "MORNING",
                          "--title", "New Title", "--album", "Second", "--year", "2026", "--genre",
                          "jazz", "--comment", "sent by cli"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.err, EndsWith("completed\n"));
  const std::vector<std::uint8_t> tag =
      Id3v1Record({"New Title", "The Band", "Second", "2026", "sent by cli", 8});
  std::vector<std::uint8_t> expected = AudioPattern(5000, 3);
  expected.insert(expected.end(), tag.begin(), tag.end());
  EXPECT_EQ(ReadText(Card() / "MP3" / "MORNING.mp3"), AsText(expected));
  // The PC file is left as it was.
  EXPECT_EQ(std::filesystem::file_size(Pc() / "track01.mp3"), 10u + 128u + 5000u + 128u);
}

TEST_F(CliMp3Test, SeveralFilesGetTheirOwnNamesAndAFileWithoutTagNeedsATitle) {
  StartConsole();
  Mp3Builder().Audio(1000, 1).Id3v1({"One", "A", "", "", "", 1}).WriteTo(Pc() / "one.mp3");
  Mp3Builder()
      .Audio(2000, 2)
      .Id3v1({"Two", "B", "", "", "", 2})
      .WriteTo(Pc() / "averylongname.mp3");
  Mp3Builder().Audio(500, 5).WriteTo(Pc() / "untagged.mp3");

  // No tag and no title given: the basket asks, and nobody answers yes.
  const CliRun refused = Cli({"mp3", "send", (Pc() / "untagged.mp3").string()});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_EQ(refused.err, "no title for this file.\nprogress anyway? [y/N] no\n");
  EXPECT_TRUE(std::filesystem::is_empty(Card() / "MP3"));

  const CliRun run = Cli({"-q", "mp3", "send", (Pc() / "one.mp3").string(),
                          (Pc() / "averylongname.mp3").string(), "--artist", "Everyone"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "completed\n");
  std::vector<std::uint8_t> one = AudioPattern(1000, 1);
  const auto oneTag = Id3v1Record({"One", "Everyone", "", "", "", 1});
  one.insert(one.end(), oneTag.begin(), oneTag.end());
  EXPECT_EQ(ReadText(Card() / "MP3" / "one.mp3"), AsText(one));
  // "copy PC file name": the first 8 bytes of the base name.
  EXPECT_EQ(std::filesystem::file_size(Card() / "MP3" / "averylon.mp3"), 2128u);
}

}  // namespace
}  // namespace zq::test
