#pragma once

#include <sys/types.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zq::test {

// What a run of zq61-cli left: its exit status and both output streams.
struct CliRun {
  int exitStatus = -1;  // -1 when it did not end by itself in time
  std::string out;
  std::string err;
};

// How the child runs. A non-zero `addressSpace` limits its address space to
// so many bytes (as ulimit -v), a non-zero `fileSize` the files it writes (as
// ulimit -f, with SIGXFSZ ignored so that a write fails instead); a non-empty
// `outputFile` takes its standard output instead of the pipe.
struct ChildSetup {
  std::uint64_t addressSpace = 0;
  std::uint64_t fileSize = 0;
  std::string outputFile;
};

// Runs the built zq61-cli with `arguments`, ZQ61_DEVICE_DIR set to
// `deviceDir` and `input` on its standard input (a pipe, so not a
// terminal). Killed when it has not ended within `limit`.
CliRun RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& deviceDir,
              const std::string& input = {}, std::chrono::seconds limit = std::chrono::seconds(60),
              const ChildSetup& setup = {});

// The built zq61-emu serving `cardDir` in `deviceDir`, started as a user
// would; stopped (SIGTERM, then SIGKILL) when the object goes away.
class EmulatorProcess {
 public:
  EmulatorProcess(const std::filesystem::path& cardDir, const std::filesystem::path& deviceDir,
                  const std::vector<std::string>& extraArguments = {});
  ~EmulatorProcess();
  EmulatorProcess(const EmulatorProcess&) = delete;
  EmulatorProcess& operator=(const EmulatorProcess&) = delete;

  // Whether its endpoints appeared in the device directory in time.
  bool Ready() const { return ready_; }

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
};

}  // namespace zq::test
