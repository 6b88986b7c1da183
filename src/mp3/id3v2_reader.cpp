#include "mp3/id3v2_reader.h"

#include <id3v2tag.h>
#include <mpegfile.h>
#include <tstring.h>

namespace zq {

namespace {

std::string Utf8(const TagLib::String& text) {
  return text.to8Bit(true);
}

}  // namespace

std::optional<Id3v2Texts> ReadId3v2Texts(const std::string& path) {
  // Only the tags: the audio's properties are not needed.
  TagLib::MPEG::File file(path.c_str(), false);
  if (!file.isValid() || !file.hasID3v2Tag()) {
    return std::nullopt;
  }
  const TagLib::ID3v2::Tag* tag = file.ID3v2Tag(false);
  if (tag == nullptr) {
    return std::nullopt;
  }
  Id3v2Texts texts;
  texts.title = Utf8(tag->title());
  texts.artist = Utf8(tag->artist());
  texts.album = Utf8(tag->album());
  texts.year = tag->year() == 0 ? std::string() : std::to_string(tag->year());
  texts.comment = Utf8(tag->comment());
  texts.genre = Utf8(tag->genre());
  return texts;
}

}  // namespace zq
