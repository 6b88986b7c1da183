#include "mp3/genre_table.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zq {
namespace {

// Converts CP949 bytes to UTF-8 with the system's converter.
std::string Cp949ToUtf8(std::string_view bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP949");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "iconv has no CP949";
    return {};
  }
  std::string in(bytes);
  std::string out(in.size() * 4 + 4, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  EXPECT_NE(done, static_cast<std::size_t>(-1)) << "not valid CP949";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(GenreTableTest, EnglishNamesInNumberingOrder) {
  EXPECT_EQ(GenreTable::English(0), "Blues");
  EXPECT_EQ(GenreTable::English(14), "R&B");
  EXPECT_EQ(GenreTable::English(29), "Jazz+Funk");
  EXPECT_EQ(GenreTable::English(48), "Ethic");
  EXPECT_EQ(GenreTable::English(52), "Electrical");
  EXPECT_EQ(GenreTable::English(60), "Top 40");
  EXPECT_EQ(GenreTable::English(62), "Pop/Funk");
  EXPECT_EQ(GenreTable::English(78), "Rock & Roll");
  EXPECT_EQ(GenreTable::English(79), "Hard Rock");
  EXPECT_EQ(GenreTable::English(80), "");
  EXPECT_EQ(GenreTable::English(-1), "");
  EXPECT_FALSE(GenreTable::Contains(80));
  EXPECT_TRUE(GenreTable::Contains(0));
}

TEST(GenreTableTest, AllEightyEnglishNames) {
  const char* const names[GenreTable::kCount] = {"Blues",
                                                 "Classic Rock",
                                                 "Country",
                                                 "Dance",
                                                 "Disco",
                                                 "Funk",
                                                 "Grunge",
                                                 "Hip-Hop",
                                                 "Jazz",
                                                 "Metal",
                                                 "New Age",
                                                 "Oldies",
                                                 "Other",
                                                 "Pop",
                                                 "R&B",
                                                 "Rap",
                                                 "Reggae",
                                                 "Rock",
                                                 "Techno",
                                                 "Industrial",
                                                 "Alternative",
                                                 "Ska",
                                                 "Death Metal",
                                                 "Pranks",
                                                 "Soundtrack",
                                                 "Euro-Techno",
                                                 "Ambient",
                                                 "Trip-Hop",
                                                 "Vocal",
                                                 "Jazz+Funk",
                                                 "Fusion",
                                                 "Trance",
                                                 "Classical",
                                                 "Instrumental",
                                                 "Acid",
                                                 "House",
                                                 "Game",
                                                 "Sound Clip",
                                                 "Gospel",
                                                 "Noise",
                                                 "AlternRock",
                                                 "Bass",
                                                 "Soul",
                                                 "Punk",
                                                 "Space",
                                                 "Meditative",
                                                 "Instrumental Pop",
                                                 "Instrumental Rock",
                                                 "Ethic",
                                                 "Gothic",
                                                 "Darkwave",
                                                 "Techno-Industrial",
                                                 "Electrical",
                                                 "Pop-Folk",
                                                 "Eurodance",
                                                 "Dream",
                                                 "Southern Rock",
                                                 "Comedy",
                                                 "Cult",
                                                 "Gangsta",
                                                 "Top 40",
                                                 "Christian Rap",
                                                 "Pop/Funk",
                                                 "Jungle",
                                                 "Native American",
                                                 "Cabaret",
                                                 "New Wave",
                                                 "Psychedelic",
                                                 "Rave",
                                                 "Showtunes",
                                                 "Trailer",
                                                 "Lo-Fi",
                                                 "Tribal",
                                                 "Acid Punk",
                                                 "Acid Jazz",
                                                 "Polka",
                                                 "Retro",
                                                 "Musical",
                                                 "Rock & Roll",
                                                 "Hard Rock"};
  for (int genre = 0; genre < GenreTable::kCount; ++genre) {
    EXPECT_EQ(GenreTable::English(genre), names[genre]) << genre;
  }
}

TEST(GenreTableTest, KoreanNamesConvertBackFromCp949) {
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(0)), "블루스");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(1)), "고전락");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(13)), "팝/대중가요");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(14)), "리듬 앤 블루스");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(16)), "레개");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(36)), "게임 음악");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(46)), "팝/대중가요 연주곡");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(70)), "에고편");
  EXPECT_EQ(Cp949ToUtf8(GenreTable::Korean(79)), "하드 락");
}

TEST(GenreTableTest, EveryRowIsAValidZeroPaddedField) {
  const int sameAsEnglish[] = {23, 26, 27, 31, 34, 39, 44, 48, 50, 53,
                               55, 60, 61, 64, 68, 69, 71, 72, 73, 74};
  for (int genre = 0; genre < GenreTable::kCount; ++genre) {
    const GenreRow& row = GenreTable::Row(genre);
    // Each name leaves at least one zero in its 30-byte field.
    EXPECT_LT(strnlen(row.english, GenreRow::kFieldWidth), GenreRow::kFieldWidth) << genre;
    EXPECT_LT(strnlen(row.korean, GenreRow::kFieldWidth), GenreRow::kFieldWidth) << genre;
    EXPECT_FALSE(GenreTable::English(genre).empty()) << genre;
    EXPECT_FALSE(Cp949ToUtf8(GenreTable::Korean(genre)).empty()) << genre;
    const bool same = std::find(std::begin(sameAsEnglish), std::end(sameAsEnglish), genre) !=
                      std::end(sameAsEnglish);
    EXPECT_EQ(GenreTable::Korean(genre) == GenreTable::English(genre), same) << genre;
  }
}

}  // namespace
}  // namespace zq
