#include "platform/diagnostic_lines.h"

#include <cstdio>

namespace zq {

void DiagnosticLines::Print(const std::string& line) const {
  if (!enabled_) {
    return;
  }
  if (sink_) {
    sink_(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

}  // namespace zq
