// The three programs answer --help and --version on a machine without a
// display: no window system is opened for them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace zq::test {
namespace {

#if defined(ZQ61_WINDOW_PATH) && defined(ZQ61_CLI_PATH) && defined(ZQ61_EMU_PATH)

struct ProgramRun {
  int status = -1;  // the exit status, or -1 when the program did not exit
  std::string out;
};

// Runs `program option` with no display and no Qt platform chosen.
ProgramRun RunWithoutDisplay(const std::string& program, const std::string& option) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program +
                              "' " + option + " 2>/dev/null";
  ProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  std::array<char, 4096> buffer{};
  while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
    run.out.append(buffer.data(), got);
  }
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ProgramOptionsTest, HelpAndVersionNeedNoDisplay) {
  const struct {
    const char* program;
    const char* name;
  } programs[] = {
      {ZQ61_WINDOW_PATH, "zq61"}, {ZQ61_CLI_PATH, "zq61-cli"}, {ZQ61_EMU_PATH, "zq61-emu"}};
  for (const auto& p : programs) {
    SCOPED_TRACE(p.name);
    const ProgramRun help = RunWithoutDisplay(p.program, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage"), std::string::npos) << help.out;
    const ProgramRun version = RunWithoutDisplay(p.program, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(p.name) + " 1.3\n");
  }
}

#endif

}  // namespace
}  // namespace zq::test
