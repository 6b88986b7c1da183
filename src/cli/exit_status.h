#pragma once

namespace zq::cli {

// Exit status of zq61-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;  // the operation failed (its message was shown)
inline constexpr int kExitUsage = 2;   // wrong usage (the usage text was shown)

inline int ExitFor(bool succeeded) {
  return succeeded ? kExitSuccess : kExitFailed;
}

}  // namespace zq::cli
