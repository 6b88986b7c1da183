#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mp3/id3v1_tag.h"
#include "mp3/mp3_status.h"

namespace zq {

// One MP3 file of the PC in three pieces: an optional ID3v2 tag at the start
// (kept only to find where the audio begins, never written again), the audio
// bytes, and an optional 128-byte ID3v1 tag at the end, the only tag read
// into fields and written. Files it writes are the audio followed by the
// ID3v1 record.
class CMp3File {
 public:
  static constexpr std::uint8_t kId3v1Flag = 1;  // the object holds an ID3v1 tag
  static constexpr std::uint8_t kId3v2Flag = 2;  // the file had an ID3v2 tag

  CMp3File() = default;

  // Reads a PC file (UTF-8 path) into the object, starting from the cleared
  // state. After a failure the object may hold part of the file; clear it.
  Mp3Status ReadMp3(const std::string& path);
  // The cleared state: no flags, no bytes, "TAG" with empty fields, no genre.
  void ClearMp3();

  void SetFlag(std::uint8_t flag) { flags_ = static_cast<std::uint8_t>(flags_ | flag); }
  void ClearFlag(std::uint8_t flag) { flags_ = static_cast<std::uint8_t>(flags_ & ~flag); }
  bool HasFlag(std::uint8_t flag) const { return (flags_ & flag) != 0; }

  // The raw fixed-width fields of the ID3v1 record.
  std::span<const std::uint8_t> Title() const { return tag_.Field(V1Field::kTitle); }
  std::span<const std::uint8_t> Artist() const { return tag_.Field(V1Field::kArtist); }
  std::span<const std::uint8_t> Album() const { return tag_.Field(V1Field::kAlbum); }
  std::span<const std::uint8_t> Year() const { return tag_.Field(V1Field::kYear); }
  std::span<const std::uint8_t> Comment() const { return tag_.Field(V1Field::kComment); }
  std::uint8_t Genre() const { return tag_.GenreByte(); }
  // The genre byte as the basket holds it: signed, so 255 is -1 (no genre).
  std::int32_t SignedGenre() const { return static_cast<std::int8_t>(tag_.GenreByte()); }
  const Id3v1Tag& Tag() const { return tag_; }

  // The marker setter writes "TAG" whatever the value; the text fields are
  // zero-filled, then take at most their width of the value's bytes, so a
  // full-width comment leaves the genre byte alone.
  void SetV1Field(V1Field field, std::string_view value);
  // The genre keeps the low 8 bits of the number: -1 is stored as 255.
  void SetV1Genre(std::int32_t genre);

  std::int32_t AudioStart() const { return audioStart_; }
  std::span<const std::uint8_t> Audio() const { return audio_; }
  const Id3v2Header& V2Header() const { return v2Header_; }
  // The bytes read after the ID3v2 header (body and footer); fewer than
  // declared when the file ends early.
  std::span<const std::uint8_t> V2Bytes() const { return v2Bytes_; }

  // Audio bytes, plus 128 when the ID3v1 flag is set.
  std::uint32_t Mp3ByteCount() const;
  // Writes the audio, then the tag record when flagged, into `buffer`;
  // returns the count written, or 0 (writing nothing) when `buffer` is
  // shorter than Mp3ByteCount().
  std::size_t SerializeMp3(std::span<std::uint8_t> buffer) const;
  // Creates or replaces a PC file with the serialised bytes. The new content
  // is written beside the target and takes its place only once whole, so a
  // failed write leaves an existing file as it was. 0 or -7.
  Mp3Status WriteMp3(const std::string& path) const;

 private:
  std::uint8_t flags_ = 0;
  std::int32_t audioStart_ = 0;
  Id3v1Tag tag_;
  Id3v2Header v2Header_;
  std::vector<std::uint8_t> v2Bytes_;
  std::vector<std::uint8_t> audio_;
};

}  // namespace zq
