#include "support/mp3_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zq::test {

namespace {

void PutField(std::vector<std::uint8_t>& record, std::size_t offset, std::size_t width,
              const std::string& text) {
  const std::size_t count = std::min(width, text.size());
  std::copy_n(text.begin(), count, record.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

std::vector<std::uint8_t> AudioPattern(std::size_t count, std::uint8_t seed) {
  std::vector<std::uint8_t> audio(count);
  for (std::size_t i = 0; i < count; ++i) {
    audio[i] = static_cast<std::uint8_t>((seed + i) % 251);
  }
  return audio;
}

std::vector<std::uint8_t> Id3v1Record(const V1Values& values) {
  std::vector<std::uint8_t> record(128, 0);
  PutField(record, 0, 3, "TAG");
  PutField(record, 3, 30, values.title);
  PutField(record, 33, 30, values.artist);
  PutField(record, 63, 30, values.album);
  PutField(record, 93, 4, values.year);
  PutField(record, 97, 30, values.comment);
  record[127] = values.genre;
  return record;
}

Mp3Builder& Mp3Builder::Id3v2(std::array<std::uint8_t, 4> sizeBytes, std::uint8_t flags,
                              std::size_t bodyBytes) {
  const std::uint8_t header[] = {'I', 'D', '3', 3, 0, flags};
  bytes_.insert(bytes_.end(), std::begin(header), std::end(header));
  bytes_.insert(bytes_.end(), sizeBytes.begin(), sizeBytes.end());
  bytes_.insert(bytes_.end(), bodyBytes, std::uint8_t{0xEE});
  return *this;
}

Mp3Builder& Mp3Builder::Audio(std::size_t count, std::uint8_t seed) {
  return Raw(AudioPattern(count, seed));
}

Mp3Builder& Mp3Builder::Raw(const std::vector<std::uint8_t>& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Mp3Builder& Mp3Builder::Id3v1(const V1Values& values) {
  return Raw(Id3v1Record(values));
}

void Mp3Builder::WriteTo(const std::filesystem::path& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes_.data()),
            static_cast<std::streamsize>(bytes_.size()));
  out.close();
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::vector<std::uint8_t> ReadAllBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

}  // namespace zq::test
