// "Copy ver.2 info": the ID3v2 tag read with TagLib, put into the version-1
// fields in the code page and within their widths.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "mp3/id3v2_copy.h"
#include "platform/codepage.h"
#include "scratch_folder.h"
#include "support/fake_user_interface.h"
#include "support/mp3_builder.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;

// Tags a file with the id3v2 tool (version 2 only); `arguments` are its options.
void TagWithTool(const fs::path& file, const std::string& arguments) {
  const std::string command = "id3v2 -2 " + arguments + " '" + file.string() + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << "id3v2 missing? run scripts/setup: " << command;
}

class Id3v2CopyTest : public ::testing::Test {
 protected:
  fs::path Mp3(const std::string& name) {
    const fs::path path = folder_.Path() / name;
    Mp3Builder().Audio(2000).Id3v1({"Old", "Old", "Old", "1990", "Old", 1}).WriteTo(path);
    return path;
  }
  ScratchFolder folder_;
  FakeUserInterface ui_;
};

TEST_F(Id3v2CopyTest, CopiesWhatTheToolWrote) {
  const fs::path file = Mp3("song.mp3");
  TagWithTool(file, "-t 'Summer Song' -a '한국 Artist' -A 'Best Of' -y 2003 -c 'nice one' -g 17");
  FieldValues fields;
  fields.consoleName = "SONG";
  ASSERT_TRUE(CopyVersion2Info(ui_, file.string(), fields));
  EXPECT_EQ(fields.title, "Summer Song");
  EXPECT_EQ(fields.artist, "한국 Artist");
  EXPECT_EQ(fields.album, "Best Of");
  EXPECT_EQ(fields.year, "2003");
  EXPECT_EQ(fields.comment, "nice one");
  EXPECT_EQ(fields.genreSelection, 17);
  EXPECT_EQ(fields.consoleName, "SONG");  // not a tag field
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(Id3v2CopyTest, AFileWithoutVersion2LeavesTheFieldsAndSaysSo) {
  const fs::path file = Mp3("v1-only.mp3");
  FieldValues fields;
  fields.title = "typed";
  fields.genreSelection = 3;
  const FieldValues before = fields;
  EXPECT_FALSE(CopyVersion2Info(ui_, file.string(), fields));
  EXPECT_EQ(fields, before);
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"no ver.2 information in this file\n"
                                                     "file name : " +
                                                     file.string()});
  EXPECT_FALSE(CopyVersion2Info(ui_, (folder_.Path() / "missing.mp3").string(), fields));
}

// Converted to the code page and cut to the field's bytes on whole
// characters, as typed text is held.
TEST_F(Id3v2CopyTest, TextsAreFittedToTheFields) {
  std::string korean;
  for (int i = 0; i < 16; ++i) {
    korean += "가";  // two bytes each in the code page
  }
  const struct {
    const char* what;
    std::string title;
    std::string year;
    std::string expectedTitle;
    std::string expectedYear;
  } cases[] = {
      {"ASCII past 30 bytes", std::string(40, 'x'), "2003", std::string(30, 'x'), "2003"},
      {"16 Korean characters keep 15", korean, "2003",
       korean.substr(0, 15 * std::string("가").size()), "2003"},
      {"odd byte before a Korean character", "x" + korean, "2003",
       "x" + korean.substr(0, 14 * std::string("가").size()), "2003"},
      {"no code page form becomes ?",
       "a\xf0\x9f\x98\x80"
       "b",
       "2003", "a?b", "2003"},
      {"a long year", "t", "123456", "t", "1234"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Id3v2Texts texts;
    texts.title = c.title;
    texts.year = c.year;
    FieldValues fields;
    PutVersion2Texts(texts, fields);
    EXPECT_EQ(fields.title, c.expectedTitle);
    EXPECT_EQ(fields.year, c.expectedYear);
  }
}

TEST_F(Id3v2CopyTest, GenreTexts) {
  const struct {
    const char* text;
    int genre;
  } cases[] = {{"Rock", 17}, {"hard rock", 79}, {"(17)", 17}, {"0", 0},      {"79", 79},
               {"80", -1},   {"(255)", -1},     {"-1", -1},   {"Bebop", -1}, {"Rock ", -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(GenreOfVersion2Text(c.text), c.genre) << c.text;
  }
}

// Hostile headers: the reader comes back, and what it gives fits the fields.
TEST_F(Id3v2CopyTest, HostileHeadersAreSurvived) {
  const auto frame = [](const char* id, std::uint32_t size, const std::string& body) {
    std::vector<std::uint8_t> bytes(id, id + 4);
    for (int shift : {24, 16, 8, 0}) {
      bytes.push_back(static_cast<std::uint8_t>(size >> shift));
    }
    bytes.insert(bytes.end(), {0, 0});
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
  };
  const struct {
    const char* what;
    std::array<std::uint8_t, 4> size;
    std::uint8_t flags;
    std::vector<std::uint8_t> body;
  } cases[] = {
      {"size past the end",
       {0x7f, 0x7f, 0x7f, 0x7f},
       0,
       frame("TIT2", 5, std::string("\0abcd", 5))},
      {"frame past the tag", {0, 0, 0, 30}, 0, frame("TIT2", 0x0fffffff, std::string("\0abc", 4))},
      {"zero-size frame", {0, 0, 0, 20}, 0, frame("TIT2", 0, "")},
      {"huge extended header", {0, 0, 1, 0}, 0x40, {0x7f, 0xff, 0xff, 0xff, 0, 0}},
      {"unsynchronised garbage", {0, 0, 0, 40}, 0x80, std::vector<std::uint8_t>(40, 0xff)},
      {"footer flag and nothing", {0, 0, 0, 0}, 0x10, {}},
      {"bad encoding byte",
       {0, 0, 0, 30},
       0,
       frame("TPE1", 10,
             std::string("\x09\xff\xfe\x00\x00"
                         "abcd",
                         9))},
      {"genre of digits", {0, 0, 0, 30}, 0, frame("TCON", 12, std::string("\0(999999999)", 12))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = folder_.Path() / "hostile.mp3";
    Mp3Builder().Id3v2(c.size, c.flags, 0).Raw(c.body).Audio(300).WriteTo(file);
    const auto texts = ReadId3v2Texts(file.string());
    FieldValues fields;
    if (texts) {
      PutVersion2Texts(*texts, fields);
    }
    EXPECT_LE(Utf8ToCp949(fields.title).value_or("").size(), 30U);
    EXPECT_GE(fields.genreSelection, -1);
    EXPECT_LT(fields.genreSelection, 80);
  }
}

}  // namespace
}  // namespace zq::test
