#pragma once

#include <functional>
#include <string>

namespace zq {

// Where a device search prints its diagnostic lines ("Attempting to open
// ...", "Opened successfully."): standard output unless another sink is
// given. The lines can be silenced, as the command line does unless asked.
class DiagnosticLines {
 public:
  using Sink = std::function<void(const std::string&)>;

  explicit DiagnosticLines(Sink sink = {}) : sink_(std::move(sink)) {}

  void SetEnabled(bool on) { enabled_ = on; }
  void Print(const std::string& line) const;

 private:
  Sink sink_;
  bool enabled_ = true;
};

}  // namespace zq
