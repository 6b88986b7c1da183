#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zq {

// What the window program does with its own options, decided before any
// window system is opened: --help and --version are answered on standard
// output and need no display.
struct WindowOptionsAnswer {
  std::string text;  // printed on standard output
  int exitStatus = 0;
};

// The answer to --help (-h) or --version among the arguments (before a
// "--"); nullopt when the window is to be opened. Every other argument is
// left to Qt's own options.
std::optional<WindowOptionsAnswer> AnswerWindowOptions(const std::vector<std::string>& arguments);

// The usage text of zq61.
std::string WindowUsage();

}  // namespace zq
