#pragma once

#include <cstdint>

namespace zq {

// Result of opening a package, patch or commercial package file.
using ArchiveStatus = std::int32_t;

namespace archive_status {
inline constexpr ArchiveStatus kOk = 0;
inline constexpr ArchiveStatus kShortRead = -4;   // a field could not be read in full
inline constexpr ArchiveStatus kOpenFailed = -7;  // the file could not be opened for reading
inline constexpr ArchiveStatus kBadMagic = -8;    // the first four bytes are not the expected magic
}  // namespace archive_status

}  // namespace zq
