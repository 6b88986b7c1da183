#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace zq::cli {

// The value of --wait: nothing (wait as long as it takes) or a number of
// seconds, at least 1. False for any other text.
bool ParseWaitSeconds(std::string_view text, std::optional<std::chrono::seconds>& limit);

// `--wait`: says on `err`, in one line, that it waits, then looks every
// `interval` whether `present()` holds, until it does or `limit` has passed.
// Whether a console came.
bool WaitForConsole(const std::function<bool()>& present, std::optional<std::chrono::seconds> limit,
                    std::ostream& err,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(250));

}  // namespace zq::cli
