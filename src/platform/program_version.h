#pragma once

namespace zq {

// The release every program of the package tells with --version.
inline constexpr const char* kProgramVersion = "1.3";

}  // namespace zq
