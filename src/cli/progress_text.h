#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zq::cli {

// The file name shown by the progress output: the text between the first
// and the last single quote of the progress window's operation line
// ("now copying file 'GAME.ZXE'"), or the whole line when it has none.
std::string ProgressSubject(std::string_view operationLine);

// "1.5 KB/s", "2.3 MB/s"; "-" while nothing can be measured yet.
std::string FormatRate(double bytesPerSecond);

// Time left as "m:ss" (or "h:mm:ss"), "-:--" while the rate is unknown.
std::string FormatTimeLeft(std::uint64_t bytesLeft, double bytesPerSecond);

// The one updating line shown on a terminal while a file moves:
// "GAME.ZXE  12288 / 40960 bytes  24.0 KB/s  0:01 left".
std::string ProgressLine(std::string_view subject, std::uint64_t done, std::uint64_t total,
                         double seconds);

}  // namespace zq::cli
