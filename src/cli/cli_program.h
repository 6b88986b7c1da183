#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zq::cli {

struct ProgramStreams {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
  bool inputIsTerminal = false;
  bool errorIsTerminal = false;
  // The system's reason (errno) for output that could not be written, when
  // the stream behind `out` keeps one.
  std::function<int()> outputError;
};

// Runs zq61-cli on its arguments (without the program name) and returns the
// exit status.
int RunProgram(const std::vector<std::string>& arguments, ProgramStreams streams);

}  // namespace zq::cli
