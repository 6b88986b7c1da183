#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zq {

// True when `data` begins with the signature of an SZDD stream, the format
// written by the Windows compress tool.
bool IsSzdd(std::span<const std::uint8_t> data);

// Expands `data` in memory the way the Windows LZ expansion functions read a
// file: an SZDD stream is expanded, anything else passes through unchanged.
// Fails (nullopt) when an SZDD stream is damaged or ends before it has given
// the length its header announces; bytes it gives beyond that length are
// dropped.
std::optional<std::vector<std::uint8_t>> LzExpand(std::span<const std::uint8_t> data);

}  // namespace zq
