#include "cli/console_wait.h"

#include <charconv>
#include <ostream>
#include <thread>

namespace zq::cli {

bool ParseWaitSeconds(std::string_view text, std::optional<std::chrono::seconds>& limit) {
  if (text.empty()) {
    limit.reset();
    return true;
  }
  long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 1) {
    return false;
  }
  limit = std::chrono::seconds(seconds);
  return true;
}

bool WaitForConsole(const std::function<bool()>& present, std::optional<std::chrono::seconds> limit,
                    std::ostream& err, std::chrono::milliseconds interval) {
  if (present()) {
    return true;
  }
  err << "zq61-cli: waiting for the ZQ61";
  if (limit) {
    err << " (at most " << limit->count() << " s)";
  }
  err << "..." << std::endl;
  const auto deadline = std::chrono::steady_clock::now() + limit.value_or(std::chrono::seconds(0));
  while (!limit || std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(interval);
    if (present()) {
      return true;
    }
  }
  return false;
}

}  // namespace zq::cli
