#pragma once

#include <cstdint>
#include <string_view>

namespace zq {

// Result of the MP3 file operations: 0 is success, negative values failures.
using Mp3Status = std::int32_t;

namespace mp3status {
inline constexpr Mp3Status kOk = 0;
inline constexpr Mp3Status kOpenFailed = -1;   // the file cannot be opened for reading
inline constexpr Mp3Status kSizeUnknown = -2;  // the file's size cannot be obtained
inline constexpr Mp3Status kTooLarge = -3;     // 4 GiB or more
inline constexpr Mp3Status kNoAudio = -4;      // nothing remains once both tags are taken away
inline constexpr Mp3Status kReadFailed = -5;   // a read from the file fails
inline constexpr Mp3Status kTooShort = -6;     // shorter than 128 bytes, or 2 GiB up to 4 GiB
inline constexpr Mp3Status kWriteFailed = -7;  // a write fails
}  // namespace mp3status

// The words the basket shows for a status; empty for success and for -6,
// which has no words of its own.
constexpr std::string_view Mp3StatusWords(Mp3Status status) {
  switch (status) {
    case mp3status::kOpenFailed:
      return "failed to open file";
    case mp3status::kSizeUnknown:
      return "invalid file size";
    case mp3status::kTooLarge:
      return "too large file";
    case mp3status::kNoAudio:
      return "invalid file";
    case mp3status::kReadFailed:
      return "failed to read";
    case mp3status::kWriteFailed:
      return "failed to write";
    default:
      return {};
  }
}

}  // namespace zq
