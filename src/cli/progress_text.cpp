#include "cli/progress_text.h"

#include <cmath>
#include <cstdio>

namespace zq::cli {

std::string ProgressSubject(std::string_view operationLine) {
  const auto first = operationLine.find('\'');
  const auto last = operationLine.rfind('\'');
  if (first == std::string_view::npos || last <= first) {
    return std::string(operationLine);
  }
  return std::string(operationLine.substr(first + 1, last - first - 1));
}

std::string FormatRate(double bytesPerSecond) {
  if (!(bytesPerSecond > 0.0) || !std::isfinite(bytesPerSecond)) {
    return "-";
  }
  char text[32];
  if (bytesPerSecond >= 1024.0 * 1024.0) {
    std::snprintf(text, sizeof text, "%.1f MB/s", bytesPerSecond / (1024.0 * 1024.0));
  } else {
    std::snprintf(text, sizeof text, "%.1f KB/s", bytesPerSecond / 1024.0);
  }
  return text;
}

std::string FormatTimeLeft(std::uint64_t bytesLeft, double bytesPerSecond) {
  if (!(bytesPerSecond > 0.0) || !std::isfinite(bytesPerSecond)) {
    return "-:--";
  }
  const double seconds = std::ceil(static_cast<double>(bytesLeft) / bytesPerSecond);
  // Beyond a day the estimate says nothing useful; keep the field short.
  if (seconds > 86400.0) {
    return ">24h";
  }
  const auto whole = static_cast<unsigned>(seconds);
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%u:%02u:%02u", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%u:%02u", whole / 60, whole % 60);
  }
  return text;
}

std::string ProgressLine(std::string_view subject, std::uint64_t done, std::uint64_t total,
                         double seconds) {
  const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
  const std::uint64_t left = total > done ? total - done : 0;
  std::string line(subject);
  line += "  " + std::to_string(done) + " / " + std::to_string(total) + " bytes  ";
  line += FormatRate(rate) + "  " + FormatTimeLeft(left, rate) + " left";
  return line;
}

}  // namespace zq::cli
