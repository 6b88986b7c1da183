#include "mp3/mp3_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

#include "mp3/scratch_folder.h"
#include "support/mp3_builder.h"

namespace zq {
namespace {

using test::AudioPattern;
using test::Mp3Builder;
using test::ReadAllBytes;
using test::V1Values;

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> span) {
  return {span.begin(), span.end()};
}

std::vector<std::uint8_t> Text(const std::string& text, std::size_t width) {
  std::vector<std::uint8_t> field(width, 0);
  std::copy_n(text.begin(), std::min(width, text.size()), field.begin());
  return field;
}

class Mp3FileTest : public ::testing::Test {
 protected:
  std::string Write(const Mp3Builder& builder, const std::string& name = "song.mp3") {
    const std::string path = folder_ / name;
    builder.WriteTo(path);
    return path;
  }

  test::ScratchFolder folder_;
  CMp3File file_;
};

TEST_F(Mp3FileTest, FileWithoutTagsIsAllAudio) {
  const std::string path = Write(Mp3Builder().Audio(300));
  ASSERT_EQ(file_.ReadMp3(path), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 0);
  EXPECT_EQ(Bytes(file_.Audio()), AudioPattern(300));
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v1Flag));
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v2Flag));
  EXPECT_EQ(file_.Genre(), 255);
  EXPECT_EQ(file_.SignedGenre(), -1);
  EXPECT_EQ(Bytes(file_.Title()), std::vector<std::uint8_t>(30, 0));
}

TEST_F(Mp3FileTest, BothTagsAreTakenAwayFromTheAudio) {
  V1Values values{"Title", "Artist", "Album", "1999", "Comment", 17};
  const std::string path = Write(Mp3Builder().Id3v2({0, 0, 0, 20}, 0, 20).Audio(200).Id3v1(values));
  ASSERT_EQ(file_.ReadMp3(path), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 30);
  EXPECT_EQ(Bytes(file_.Audio()), AudioPattern(200));
  EXPECT_TRUE(file_.HasFlag(CMp3File::kId3v1Flag));
  EXPECT_TRUE(file_.HasFlag(CMp3File::kId3v2Flag));
  EXPECT_EQ(Bytes(file_.Title()), Text("Title", 30));
  EXPECT_EQ(Bytes(file_.Artist()), Text("Artist", 30));
  EXPECT_EQ(Bytes(file_.Album()), Text("Album", 30));
  EXPECT_EQ(Bytes(file_.Year()), Text("1999", 4));
  EXPECT_EQ(Bytes(file_.Comment()), Text("Comment", 30));
  EXPECT_EQ(file_.Genre(), 17);
  EXPECT_EQ(file_.V2Bytes().size(), 20u);
}

TEST_F(Mp3FileTest, SizesAtTheEdges) {
  // Exactly 128 bytes that are a tag: nothing remains for the audio.
  EXPECT_EQ(file_.ReadMp3(Write(Mp3Builder().Id3v1({}), "tag.mp3")), mp3status::kNoAudio);
  // 127 bytes: too short to hold a tag at all.
  EXPECT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(127), "short.mp3")), mp3status::kTooShort);
  // 128 bytes of audio pass.
  EXPECT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(128), "min.mp3")), mp3status::kOk);
  EXPECT_EQ(file_.Audio().size(), 128u);
  // An empty file.
  EXPECT_EQ(file_.ReadMp3(Write(Mp3Builder(), "empty.mp3")), mp3status::kTooShort);
}

TEST_F(Mp3FileTest, MissingFileOrFolderCannotBeOpened) {
  EXPECT_EQ(file_.ReadMp3(folder_ / "absent.mp3"), mp3status::kOpenFailed);
  EXPECT_EQ(file_.ReadMp3(folder_.Path().string()), mp3status::kOpenFailed);
  // A named pipe without a writer is refused at once rather than waited on.
  const std::string pipe = folder_ / "pipe.mp3";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(file_.ReadMp3(pipe), mp3status::kOpenFailed);
}

TEST_F(Mp3FileTest, Id3v2SizeBytesAreUsedWholeWithOptionalFooter) {
  // 00 00 02 01 is a 257-byte body.
  const std::string plain = Write(Mp3Builder().Id3v2({0, 0, 2, 1}, 0, 257).Audio(150), "a.mp3");
  ASSERT_EQ(file_.ReadMp3(plain), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 267);
  EXPECT_EQ(Bytes(file_.Audio()), AudioPattern(150));

  // With the footer flag the tag occupies 10 + 257 + 10 = 277 bytes.
  const std::string footer = Write(Mp3Builder().Id3v2({0, 0, 2, 1}, 0x10, 267).Audio(150), "b.mp3");
  ASSERT_EQ(file_.ReadMp3(footer), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 277);
  EXPECT_EQ(Bytes(file_.Audio()), AudioPattern(150));

  // A byte with its top bit set counts whole: 00 00 00 81 is 129, not 1.
  const std::string topBit = Write(Mp3Builder().Id3v2({0, 0, 0, 0x81}, 0, 129).Audio(150), "c.mp3");
  ASSERT_EQ(file_.ReadMp3(topBit), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 139);
}

TEST_F(Mp3FileTest, Id3v2SizePastTheEndIsAShortReadEndingInNoAudio) {
  // Declares about 530 MB; the file holds 300 bytes. Nothing that large is
  // allocated, the short read is not a failure, and no audio remains.
  const std::string path = Write(Mp3Builder().Id3v2({0xFC, 0, 0, 0}, 0, 290));
  EXPECT_EQ(file_.ReadMp3(path), mp3status::kNoAudio);
  EXPECT_LE(file_.V2Bytes().size(), 290u);
}

TEST_F(Mp3FileTest, MarkerDifferingInAnyByteCountsAsAudio) {
  std::vector<std::uint8_t> lower = test::Id3v1Record({"x", "y", "", "", "", 3});
  lower[0] = 't';
  const std::string path = Write(Mp3Builder().Audio(100).Raw(lower));
  ASSERT_EQ(file_.ReadMp3(path), mp3status::kOk);
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v1Flag));
  EXPECT_EQ(file_.Audio().size(), 228u);

  std::vector<std::uint8_t> id3Lower = Mp3Builder().Id3v2({0, 0, 0, 5}, 0, 5).Audio(200).Bytes();
  id3Lower[2] = 'd';
  ASSERT_EQ(file_.ReadMp3(Write(Mp3Builder().Raw(id3Lower), "v2.mp3")), mp3status::kOk);
  EXPECT_EQ(file_.AudioStart(), 0);
  EXPECT_EQ(file_.Audio().size(), id3Lower.size());
}

TEST_F(Mp3FileTest, FourGibibytesIsRefusedBeforeAnyRead) {
  const std::string path = folder_ / "huge.mp3";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const bool sized = ::ftruncate(fd, off_t{1} << 32) == 0;
  ::close(fd);
  if (!sized) {
    GTEST_SKIP() << "the scratch file system has no sparse 4 GiB files";
  }
  EXPECT_EQ(file_.ReadMp3(path), mp3status::kTooLarge);
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v2Flag));
  EXPECT_TRUE(file_.Audio().empty());
}

TEST_F(Mp3FileTest, TwoGibibytesAndMoreReadsAsTooShort) {
  const std::string path = folder_ / "big.mp3";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const bool sized = ::ftruncate(fd, off_t{1} << 31) == 0;
  ::close(fd);
  if (!sized) {
    GTEST_SKIP() << "the scratch file system has no sparse 2 GiB files";
  }
  EXPECT_EQ(file_.ReadMp3(path), mp3status::kTooShort);
  EXPECT_TRUE(file_.Audio().empty());
}

TEST_F(Mp3FileTest, ReadStartsFromTheClearedState) {
  ASSERT_EQ(file_.ReadMp3(Write(
                Mp3Builder().Id3v2({0, 0, 0, 4}, 0, 4).Audio(200).Id3v1({"T", "A", "", "", "", 5}),
                "tagged.mp3")),
            mp3status::kOk);
  ASSERT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(200), "plain.mp3")), mp3status::kOk);
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v1Flag));
  EXPECT_FALSE(file_.HasFlag(CMp3File::kId3v2Flag));
  EXPECT_EQ(file_.AudioStart(), 0);
  EXPECT_EQ(file_.Genre(), 255);
  EXPECT_EQ(Bytes(file_.Title()), std::vector<std::uint8_t>(30, 0));
  EXPECT_TRUE(file_.V2Bytes().empty());
}

TEST_F(Mp3FileTest, GenreIsSignedWhenReadAndItsLowByteWhenWritten) {
  ASSERT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(130).Id3v1({"", "", "", "", "", 200}))),
            mp3status::kOk);
  EXPECT_EQ(file_.SignedGenre(), -56);
  file_.SetV1Genre(file_.SignedGenre());
  EXPECT_EQ(file_.Genre(), 200);

  ASSERT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(130).Id3v1({"", "", "", "", "", 255}))),
            mp3status::kOk);
  EXPECT_EQ(file_.SignedGenre(), -1);
  file_.SetV1Genre(-1);
  EXPECT_EQ(file_.Genre(), 255);
}

TEST_F(Mp3FileTest, SetV1FieldZeroFillsAndStaysInsideTheField) {
  file_.SetV1Genre(42);
  file_.SetV1Field(V1Field::kTitle, "a much longer title than the thirty byte field");
  file_.SetV1Field(V1Field::kTitle, "short");
  EXPECT_EQ(Bytes(file_.Title()), Text("short", 30));

  const std::string full(30, 'c');
  file_.SetV1Field(V1Field::kComment, full);
  EXPECT_EQ(Bytes(file_.Comment()), Text(full, 30));
  EXPECT_EQ(file_.Genre(), 42);

  file_.SetV1Field(V1Field::kYear, "20241");
  EXPECT_EQ(Bytes(file_.Year()), Text("2024", 4));
  EXPECT_EQ(Bytes(file_.Comment()), Text(full, 30));  // the year does not spill over
}

TEST_F(Mp3FileTest, SerialisingGivesAudioThenTheRecord) {
  const std::string path =
      Write(Mp3Builder().Id3v2({0, 0, 0, 8}, 0, 8).Audio(500).Id3v1({"old", "", "", "", "", 1}));
  ASSERT_EQ(file_.ReadMp3(path), mp3status::kOk);
  file_.ClearFlag(CMp3File::kId3v2Flag);
  file_.SetFlag(CMp3File::kId3v1Flag);
  file_.SetV1Field(V1Field::kMarker, "");
  file_.SetV1Field(V1Field::kTitle, "Title");
  file_.SetV1Field(V1Field::kArtist, "Artist");
  file_.SetV1Field(V1Field::kAlbum, "Album");
  file_.SetV1Field(V1Field::kYear, "2001");
  file_.SetV1Field(V1Field::kComment, "Comment");
  file_.SetV1Genre(-1);
  ASSERT_EQ(file_.Mp3ByteCount(), 628u);

  std::vector<std::uint8_t> expected = AudioPattern(500);
  const auto record = test::Id3v1Record({"Title", "Artist", "Album", "2001", "Comment", 255});
  expected.insert(expected.end(), record.begin(), record.end());

  std::vector<std::uint8_t> buffer(file_.Mp3ByteCount());
  EXPECT_EQ(file_.SerializeMp3(buffer), 628u);
  EXPECT_EQ(buffer, expected);
  std::vector<std::uint8_t> tooSmall(627, 0x55);
  EXPECT_EQ(file_.SerializeMp3(tooSmall), 0u);
  EXPECT_EQ(tooSmall, std::vector<std::uint8_t>(627, 0x55));

  const std::string out = folder_ / "out.mp3";
  ASSERT_EQ(file_.WriteMp3(out), mp3status::kOk);
  EXPECT_EQ(ReadAllBytes(out), expected);

  // Without the ID3v1 flag only the audio is produced.
  file_.ClearFlag(CMp3File::kId3v1Flag);
  EXPECT_EQ(file_.Mp3ByteCount(), 500u);
  ASSERT_EQ(file_.WriteMp3(out), mp3status::kOk);
  EXPECT_EQ(ReadAllBytes(out), AudioPattern(500));
}

TEST_F(Mp3FileTest, FailedWriteLeavesTheOldFileAndNoLeftovers) {
  ASSERT_EQ(file_.ReadMp3(Write(Mp3Builder().Audio(200))), mp3status::kOk);
  // A target that is a non-empty folder cannot be replaced.
  const std::string target = folder_ / "target.mp3";
  std::filesystem::create_directory(target);
  Mp3Builder().Audio(10).WriteTo(std::filesystem::path(target) / "inside");
  EXPECT_EQ(file_.WriteMp3(target), mp3status::kWriteFailed);
  EXPECT_TRUE(std::filesystem::is_directory(target));
  // A folder that does not exist.
  EXPECT_EQ(file_.WriteMp3(folder_ / "missing/x.mp3"), mp3status::kWriteFailed);

  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    static_cast<void>(entry);
    ++files;
  }
  EXPECT_EQ(files, 2u);  // song.mp3 and the target folder: nothing half-written beside them
}

TEST_F(Mp3FileTest, WriteReplacesAnExistingFileWhole) {
  const std::string path = Write(Mp3Builder().Audio(1000).Id3v1({"t", "a", "", "", "", 2}));
  ASSERT_EQ(file_.ReadMp3(path), mp3status::kOk);
  file_.SetV1Field(V1Field::kTitle, "new");
  ASSERT_EQ(file_.WriteMp3(path), mp3status::kOk);
  std::vector<std::uint8_t> expected = AudioPattern(1000);
  const auto record = test::Id3v1Record({"new", "a", "", "", "", 2});
  expected.insert(expected.end(), record.begin(), record.end());
  EXPECT_EQ(ReadAllBytes(path), expected);
}

}  // namespace
}  // namespace zq
