#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zq {

// The fields of the 128-byte ID3v1 record, in file order.
enum class V1Field { kMarker, kTitle, kArtist, kAlbum, kYear, kComment, kGenre };

struct V1FieldPlace {
  std::size_t offset;
  std::size_t width;
};

// Where each field lies in the record. There is no track-number variant:
// bytes 125 and 126 belong to the comment.
constexpr V1FieldPlace PlaceOf(V1Field field) {
  switch (field) {
    case V1Field::kMarker:
      return {0, 3};
    case V1Field::kTitle:
      return {3, 30};
    case V1Field::kArtist:
      return {33, 30};
    case V1Field::kAlbum:
      return {63, 30};
    case V1Field::kYear:
      return {93, 4};
    case V1Field::kComment:
      return {97, 30};
    case V1Field::kGenre:
      return {127, 1};
  }
  return {0, 0};
}

// The ID3v1 record kept as its 128 bytes; fields are reached by their place,
// never by laying a struct over the bytes.
class Id3v1Tag {
 public:
  static constexpr std::size_t kSize = 128;
  static constexpr std::uint8_t kNoGenre = 255;

  // The cleared record: "TAG", empty text fields, no genre.
  Id3v1Tag() { Clear(); }

  void Clear() {
    bytes_.fill(0);
    WriteMarker();
    bytes_[PlaceOf(V1Field::kGenre).offset] = kNoGenre;
  }
  void WriteMarker() {
    bytes_[0] = 'T';
    bytes_[1] = 'A';
    bytes_[2] = 'G';
  }

  std::span<const std::uint8_t> Field(V1Field field) const {
    const V1FieldPlace place = PlaceOf(field);
    return std::span<const std::uint8_t>(bytes_).subspan(place.offset, place.width);
  }
  std::span<std::uint8_t> MutableField(V1Field field) {
    const V1FieldPlace place = PlaceOf(field);
    return std::span<std::uint8_t>(bytes_).subspan(place.offset, place.width);
  }
  std::uint8_t GenreByte() const { return bytes_[PlaceOf(V1Field::kGenre).offset]; }
  void SetGenreByte(std::uint8_t genre) { bytes_[PlaceOf(V1Field::kGenre).offset] = genre; }

  const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }
  std::array<std::uint8_t, kSize>& Bytes() { return bytes_; }

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

// The first 10 bytes of a file that carries an ID3v2 tag, kept as bytes.
class Id3v2Header {
 public:
  static constexpr std::size_t kSize = 10;
  static constexpr std::uint8_t kFooterFlag = 0x10;
  static constexpr std::size_t kFooterSize = 10;

  std::uint8_t Flags() const { return bytes_[5]; }
  bool HasFooter() const { return (Flags() & kFooterFlag) != 0; }
  // The body size in the syncsafe form, most significant byte first. The
  // bytes are used whole, without masking their top bit, as the console's
  // own reader does.
  std::int64_t BodySize() const {
    return std::int64_t{bytes_[6]} * 2097152 + std::int64_t{bytes_[7]} * 16384 +
           std::int64_t{bytes_[8]} * 128 + std::int64_t{bytes_[9]};
  }
  // Bytes that follow the header: the body, plus the footer when flagged.
  std::int64_t FollowingSize() const {
    return BodySize() + (HasFooter() ? std::int64_t{kFooterSize} : 0);
  }

  const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }
  std::array<std::uint8_t, kSize>& Bytes() { return bytes_; }

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace zq
