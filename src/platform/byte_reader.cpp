#include "platform/byte_reader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

namespace zq {

bool ByteReader::ReadU8(std::uint8_t& value) {
  std::uint32_t wide = 0;
  if (!ReadLittleEndian(1, wide)) {
    return false;
  }
  value = static_cast<std::uint8_t>(wide);
  return true;
}

bool ByteReader::ReadU16(std::uint16_t& value) {
  std::uint32_t wide = 0;
  if (!ReadLittleEndian(2, wide)) {
    return false;
  }
  value = static_cast<std::uint16_t>(wide);
  return true;
}

bool ByteReader::ReadU32(std::uint32_t& value) {
  return ReadLittleEndian(4, value);
}

bool ByteReader::ReadLittleEndian(std::size_t width, std::uint32_t& value) {
  std::array<std::uint8_t, 4> raw{};
  if (Remaining() < width || !ReadRaw(raw.data(), width)) {
    return false;
  }
  std::uint32_t result = 0;
  for (std::size_t i = width; i-- > 0;) {
    result = (result << 8) | raw[i];
  }
  value = result;
  return true;
}

bool ByteReader::ReadBytes(std::uint64_t count, std::vector<std::uint8_t>& out) {
  if (count > Remaining() || count > std::numeric_limits<std::size_t>::max()) {
    return false;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  if (count > 0 && !ReadRaw(bytes.data(), bytes.size())) {
    return false;
  }
  out = std::move(bytes);
  return true;
}

bool ByteReader::ReadText(std::uint64_t count, std::string& out) {
  std::vector<std::uint8_t> bytes;
  if (!ReadBytes(count, bytes)) {
    return false;
  }
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  out.assign(bytes.begin(), end);
  return true;
}

bool ByteReader::Skip(std::uint64_t count) {
  if (count > Remaining()) {
    return false;
  }
  std::array<std::uint8_t, 512> scratch{};
  while (count > 0) {
    const std::size_t chunk =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, scratch.size()));
    if (!ReadRaw(scratch.data(), chunk)) {
      return false;
    }
    count -= chunk;
  }
  return true;
}

bool MemoryByteReader::ReadRaw(std::uint8_t* out, std::size_t count) {
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, out);
  position_ += count;
  return true;
}

bool FileByteReader::Open(const std::filesystem::path& path) {
  Close();
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return false;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return false;
  }
  stream_.open(path, std::ios::binary);
  if (!stream_) {
    return false;
  }
  size_ = size;
  return true;
}

void FileByteReader::Close() {
  if (stream_.is_open()) {
    stream_.close();
  }
  stream_.clear();
  size_ = 0;
  position_ = 0;
}

bool FileByteReader::ReadRaw(std::uint8_t* out, std::size_t count) {
  stream_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  const auto got = static_cast<std::size_t>(stream_.gcount());
  position_ += got;
  if (got != count) {
    size_ = position_;  // the file ended before its announced size
    return false;
  }
  return true;
}

}  // namespace zq
