#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zq::test {

// The fields of an ID3v1 record as the tests give them; texts are bytes.
struct V1Values {
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::string comment;
  std::uint8_t genre = 255;
};

// Builds an MP3 file byte by byte: an optional ID3v2 tag, audio bytes of a
// recognisable pattern, and an optional ID3v1 record, in that order.
class Mp3Builder {
 public:
  // An ID3v2 header with the four size bytes as given (used whole), the
  // flags byte, then `bodyBytes` bytes of body (which may be fewer than the
  // size declares, to make a file that ends early).
  Mp3Builder& Id3v2(std::array<std::uint8_t, 4> sizeBytes, std::uint8_t flags,
                    std::size_t bodyBytes);
  // `count` audio bytes; byte i is (seed + i) mod 251, never a marker by chance.
  Mp3Builder& Audio(std::size_t count, std::uint8_t seed = 1);
  Mp3Builder& Raw(const std::vector<std::uint8_t>& bytes);
  Mp3Builder& Id3v1(const V1Values& values);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // Writes the bytes to `path`, replacing it; fails the test when it cannot.
  void WriteTo(const std::filesystem::path& path) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// The 128-byte ID3v1 record for the values, with "TAG" in front.
std::vector<std::uint8_t> Id3v1Record(const V1Values& values);
// The audio pattern Mp3Builder::Audio writes.
std::vector<std::uint8_t> AudioPattern(std::size_t count, std::uint8_t seed = 1);
// The whole content of a PC file; empty when it cannot be read.
std::vector<std::uint8_t> ReadAllBytes(const std::filesystem::path& path);

}  // namespace zq::test
