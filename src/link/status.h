#pragma once

#include <cstdint>

namespace zq {

// Result of every link call: 0 is success, negative values are failures.
using Status = std::int32_t;

namespace status {
inline constexpr Status kOk = 0;
inline constexpr Status kTimedOut = -1;           // a packet write or read timed out
inline constexpr Status kNoMemory = -2;           // memory for a file or a listing ran out
inline constexpr Status kStopped = -3;            // a progress callback stopped the transfer
inline constexpr Status kOpenFileFailed = -4;     // a local file could not be opened
inline constexpr Status kIoFailed = -5;           // a packet write or read failed otherwise
inline constexpr Status kBadQueryKind = -8;       // a query kind not known
inline constexpr Status kCommError = -9;          // short reply, or a reply code not expected
inline constexpr Status kUnformatted = -10;       // the console's card is not formatted
inline constexpr Status kGoOn = -12;              // what the progress callbacks return
inline constexpr Status kReadFileFailed = -13;    // a local file could not be read
inline constexpr Status kCreateFileFailed = -15;  // a local file could not be created
inline constexpr Status kShortWrite = -16;        // a local file was written short
inline constexpr Status kOpenPortFailed = -17;    // a pipe could not be opened
inline constexpr Status kConsoleFailed = -19;     // the console reports a failure (0xFF)
inline constexpr Status kPathMissing = -20;       // the console reports the path missing (0xFE)
}  // namespace status

}  // namespace zq
