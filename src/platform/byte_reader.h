#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace zq {

// Reads little-endian fields one by one from untrusted bytes. Every read is
// checked against what the source still holds before anything is allocated
// for it, so a damaged length can neither overrun a buffer nor ask for a huge
// allocation. A failed read returns false and leaves the output unchanged.
class ByteReader {
 public:
  virtual ~ByteReader() = default;

  // Bytes not yet read.
  virtual std::uint64_t Remaining() const = 0;

  bool ReadU8(std::uint8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU32(std::uint32_t& value);
  // Exactly `count` bytes into `out` (resized to fit).
  bool ReadBytes(std::uint64_t count, std::vector<std::uint8_t>& out);
  // A text stored in `count` bytes: the bytes up to the first NUL, or all of
  // them when none is NUL. The bytes are kept as they are (no conversion).
  bool ReadText(std::uint64_t count, std::string& out);
  bool Skip(std::uint64_t count);

 protected:
  // Copies exactly `count` bytes into `out`; `count` never exceeds Remaining().
  virtual bool ReadRaw(std::uint8_t* out, std::size_t count) = 0;

 private:
  bool ReadLittleEndian(std::size_t width, std::uint32_t& value);
};

// Reads from a buffer in memory, which must outlive the reader.
class MemoryByteReader final : public ByteReader {
 public:
  explicit MemoryByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t Remaining() const override { return bytes_.size() - position_; }
  std::size_t Position() const { return position_; }

 protected:
  bool ReadRaw(std::uint8_t* out, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Reads from a local file through a buffered stream. The size is taken once
// when the file is opened; a file that shrinks meanwhile fails its reads.
class FileByteReader final : public ByteReader {
 public:
  // False when the file cannot be opened for reading (or is not a regular file).
  bool Open(const std::filesystem::path& path);
  void Close();

  std::uint64_t Remaining() const override { return size_ - position_; }

 protected:
  bool ReadRaw(std::uint8_t* out, std::size_t count) override;

 private:
  std::ifstream stream_;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

}  // namespace zq
