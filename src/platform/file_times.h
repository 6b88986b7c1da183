#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zq {

// The last-write time of a PC file (links followed), in seconds since 1970
// UTC; nullopt when it cannot be read.
std::optional<std::int64_t> LastWriteSeconds(const std::string& path);

}  // namespace zq
