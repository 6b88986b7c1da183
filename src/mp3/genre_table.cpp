#include "mp3/genre_table.h"

#include <cstring>

namespace zq {

namespace {

// Korean names are CP949 bytes written as escapes so that the source stays
// independent of its own encoding.
constexpr std::array<GenreRow, GenreTable::kCount> kRows{{
    {"Blues", "\xBA\xED\xB7\xE7\xBD\xBA"},
    {"Classic Rock", "\xB0\xED\xC0\xFC\xB6\xF4"},
    {"Country", "\xC4\xC1\xC6\xAE\xB8\xAE"},
    {"Dance", "\xB4\xED\xBD\xBA"},
    {"Disco", "\xB5\xF0\xBD\xBA\xC4\xDA"},
    {"Funk", "\xC6\xE3\xC5\xA9"},
    {"Grunge", "\xB1\xD7\xB7\xB1\xC1\xF6"},
    {"Hip-Hop", "\xC8\xFC\xC7\xD5"},
    {"Jazz", "\xC0\xE7\xC1\xEE"},
    {"Metal", "\xB8\xDE\xC5\xBB"},
    {"New Age", "\xB4\xBA\xBF\xA1\xC0\xCC\xC1\xF6"},
    {"Oldies", "\xBF\xC3\xB5\xF0\xBD\xBA"},
    {"Other", "\xB1\xE2\xC5\xB8"},
    {"Pop", "\xC6\xCB\x2F\xB4\xEB\xC1\xDF\xB0\xA1\xBF\xE4"},
    {"R&B", "\xB8\xAE\xB5\xEB\x20\xBE\xD8\x20\xBA\xED\xB7\xE7\xBD\xBA"},
    {"Rap", "\xB7\xA6"},
    {"Reggae", "\xB7\xB9\xB0\xB3"},
    {"Rock", "\xB6\xF4"},
    {"Techno", "\xC5\xD7\xC5\xA9\xB3\xEB"},
    {"Industrial", "\xC0\xCE\xB4\xF5\xBD\xBA\xC6\xAE\xB8\xAE\xBE\xF3"},
    {"Alternative", "\xBE\xF3\xC5\xCD\xB3\xCA\xC6\xBC\xBA\xEA"},
    {"Ska", "\xBD\xBA\xC4\xAB"},
    {"Death Metal", "\xB5\xA5\xBD\xBA\x20\xB8\xDE\xC5\xBB"},
    {"Pranks", "Pranks"},
    {"Soundtrack", "\xBF\xB5\xC8\xAD\x20\xC0\xBD\xBE\xC7"},
    {"Euro-Techno", "\xC0\xAF\xB7\xCE\x20\xC5\xD7\xC5\xA9\xB3\xEB"},
    {"Ambient", "Ambient"},
    {"Trip-Hop", "Trip-Hop"},
    {"Vocal", "\xBA\xB8\xC4\xC3"},
    {"Jazz+Funk", "\xC0\xE7\xC1\xEE\x2B\xC6\xE3\xC5\xA9"},
    {"Fusion", "\xC7\xBB\xC0\xFC"},
    {"Trance", "Trance"},
    {"Classical", "\xC5\xAC\xB7\xA1\xBD\xC4"},
    {"Instrumental", "\xBF\xAC\xC1\xD6\xB0\xEE"},
    {"Acid", "Acid"},
    {"House", "\xC7\xCF\xBF\xEC\xBD\xBA"},
    {"Game", "\xB0\xD4\xC0\xD3\x20\xC0\xBD\xBE\xC7"},
    {"Sound Clip", "\xBB\xE7\xBF\xEE\xB5\xE5\x20\xC5\xAC\xB8\xB3"},
    {"Gospel", "\xB0\xA1\xBD\xBA\xC6\xE7"},
    {"Noise", "Noise"},
    {"AlternRock", "\xBE\xF3\xC5\xCD\xB3\xCA\xC6\xBC\xBA\xEA\x20\xB6\xF4"},
    {"Bass", "\xBA\xA3\xC0\xCC\xBD\xBA"},
    {"Soul", "\xBC\xD2\xBF\xEF"},
    {"Punk", "\xC6\xE3\xC5\xA9\x20\xB6\xF4"},
    {"Space", "Space"},
    {"Meditative", "\xB8\xED\xBB\xF3\x20\xC0\xBD\xBE\xC7"},
    {"Instrumental Pop",
     "\xC6\xCB\x2F\xB4\xEB\xC1\xDF\xB0\xA1\xBF\xE4\x20\xBF\xAC\xC1\xD6\xB0\xEE"},
    {"Instrumental Rock", "\xB6\xF4\x20\xBF\xAC\xC1\xD6\xB0\xEE"},
    {"Ethic", "Ethic"},
    {"Gothic", "\xB0\xED\xB5\xF1"},
    {"Darkwave", "Darkwave"},
    {"Techno-Industrial",
     "\xC5\xD7\xC5\xA9\xB3\xEB\x20\xC0\xCE\xB4\xF5\xBD\xBA\xC6\xAE\xB8\xAE\xBE\xF3"},
    {"Electrical", "\xC0\xCF\xB7\xBA\xC6\xAE\xB7\xCE\xB4\xD0"},
    {"Pop-Folk", "Pop-Folk"},
    {"Eurodance", "\xC0\xAF\xB7\xCE\x20\xB4\xED\xBD\xBA"},
    {"Dream", "Dream"},
    {"Southern Rock", "\xBC\xAD\xB4\xF8\x20\xB6\xF4"},
    {"Comedy", "\xC4\xDA\xB9\xCC\xB5\xF0"},
    {"Cult", "\xC4\xC3\xC6\xAE"},
    {"Gangsta", "\xB0\xBB\xBD\xBA\xC5\xCD\x20\xB7\xA6"},
    {"Top 40", "Top 40"},
    {"Christian Rap", "Christian Rap"},
    {"Pop/Funk", "\xC6\xCB\x2F\xC6\xE3\xC5\xA9"},
    {"Jungle", "\xC1\xA4\xB1\xDB"},
    {"Native American", "Native American"},
    {"Cabaret", "\xC4\xAB\xB9\xD9\xB7\xB9"},
    {"New Wave", "\xB4\xBA\x20\xBF\xFE\xC0\xCC\xBA\xEA"},
    {"Psychedelic", "\xBB\xE7\xC0\xCC\xC5\xB0\xB5\xA8\xB8\xAF"},
    {"Rave", "Rave"},
    {"Showtunes", "Showtunes"},
    {"Trailer", "\xBF\xA1\xB0\xED\xC6\xED"},
    {"Lo-Fi", "Lo-Fi"},
    {"Tribal", "Tribal"},
    {"Acid Punk", "Acid Punk"},
    {"Acid Jazz", "Acid Jazz"},
    {"Polka", "\xC6\xFA\xC4\xAB"},
    {"Retro", "\xB7\xB9\xC6\xAE\xB7\xCE"},
    {"Musical", "\xB9\xC2\xC1\xF6\xC4\xC3"},
    {"Rock & Roll", "\xB7\xCE\xC5\xAB\xB7\xD1"},
    {"Hard Rock", "\xC7\xCF\xB5\xE5\x20\xB6\xF4"},
}};

std::string_view FieldText(const char (&field)[GenreRow::kFieldWidth]) {
  return std::string_view(field, strnlen(field, GenreRow::kFieldWidth));
}

}  // namespace

const GenreRow& GenreTable::Row(std::int32_t genre) {
  return kRows.at(static_cast<std::size_t>(genre));
}

std::string_view GenreTable::English(std::int32_t genre) {
  return Contains(genre) ? FieldText(Row(genre).english) : std::string_view();
}

std::string_view GenreTable::Korean(std::int32_t genre) {
  return Contains(genre) ? FieldText(Row(genre).korean) : std::string_view();
}

}  // namespace zq
