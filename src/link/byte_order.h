#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zq {

// Little-endian fields of a packet. The caller has checked that the field
// lies inside `bytes`.
inline std::uint16_t ReadLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace zq
