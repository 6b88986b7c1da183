#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
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
// dropped. The announced length is checked before anything is allocated for
// it: more than `maxExpanded`, or more than the stream's bytes can expand to,
// fails at once; otherwise the output is allocated once, at that length.
std::optional<std::vector<std::uint8_t>> LzExpand(
    std::span<const std::uint8_t> data,
    std::size_t maxExpanded = std::numeric_limits<std::size_t>::max());

// The most an SZDD stream of `streamBytes` bytes (header included) can expand
// to: every 17 bytes after the header are at best one flag byte and eight
// back-references of 18 bytes each.
std::uint64_t SzddExpansionLimit(std::size_t streamBytes);

}  // namespace zq
