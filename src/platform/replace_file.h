#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zq {

enum class ReplaceResult {
  kOk,
  kCreateFailed,  // the new file could not be created (or put in place)
  kWriteFailed,   // the new content could not be written whole
};

// Writes `data` as the file `target`: the bytes go to a temporary file beside
// it, which replaces `target` only once it is whole and (when `durable`)
// flushed to the disk. On any failure the old file (if any) is left untouched
// and the temporary removed. A new file gets the mode the user's umask gives
// (0666 & ~umask), a replaced one keeps its own; an existing file the user
// cannot write is not replaced (kCreateFailed). On failure errno says why
// (EACCES for such a file, ENOSPC for a write the disk did not take whole).
ReplaceResult ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> data,
                          bool durable = true);

}  // namespace zq
