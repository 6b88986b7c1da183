#include "cli/cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace zq::test {

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the child to end until `deadline`; kills it after that. The
// exit status, or -1 when it had to be killed or died of a signal.
int Reap(pid_t pid, Clock::time_point deadline) {
  int status = 0;
  while (true) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (done < 0) {
      return -1;
    }
    if (Clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

[[noreturn]] void Exec(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

bool EndpointsPresent(const std::filesystem::path& deviceDir) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(deviceDir, error)) {
    if (std::filesystem::exists(entry.path() / "PIPE00", error) &&
        std::filesystem::exists(entry.path() / "PIPE02", error)) {
      return true;
    }
  }
  return false;
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& deviceDir,
              const std::string& input, std::chrono::seconds limit, const ChildSetup& setup) {
  int inPipe[2];
  int outPipe[2];
  int errPipe[2];
  if (::pipe(inPipe) != 0 || ::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) {
    return {};
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("ZQ61_DEVICE_DIR", deviceDir.c_str(), 1);
    if (setup.addressSpace != 0) {
      const rlimit space{setup.addressSpace, setup.addressSpace};
      ::setrlimit(RLIMIT_AS, &space);
    }
    if (setup.fileSize != 0) {
      const rlimit size{setup.fileSize, setup.fileSize};
      ::setrlimit(RLIMIT_FSIZE, &size);
      ::signal(SIGXFSZ, SIG_IGN);
    }
    ::dup2(inPipe[0], STDIN_FILENO);
    if (setup.outputFile.empty()) {
      ::dup2(outPipe[1], STDOUT_FILENO);
    } else {
      const int output = ::open(setup.outputFile.c_str(), O_WRONLY | O_CLOEXEC);
      ::dup2(output, STDOUT_FILENO);
    }
    ::dup2(errPipe[1], STDERR_FILENO);
    for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
      ::close(fd);
    }
    Exec(ZQ61_CLI_PATH, arguments);
  }
  ::close(inPipe[0]);
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  // The input is small; a child that does not read it must not block us.
  ::fcntl(inPipe[1], F_SETFL, O_NONBLOCK);
  [[maybe_unused]] const auto written = ::write(inPipe[1], input.data(), input.size());
  ::close(inPipe[1]);

  CliRun run;
  const auto deadline = Clock::now() + limit;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int open = 2;
  while (open > 0 && Clock::now() < deadline) {
    if (::poll(fds, 2, 50) < 0) {
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        char buffer[4096];
        const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
        if (got > 0) {
          sinks[i]->append(buffer, static_cast<std::size_t>(got));
        } else {
          ::close(fds[i].fd);
          fds[i].fd = -1;
          --open;
        }
      }
    }
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) {
      ::close(fd.fd);
    }
  }
  run.exitStatus = pid > 0 ? Reap(pid, deadline) : -1;
  return run;
}

EmulatorProcess::EmulatorProcess(const std::filesystem::path& cardDir,
                                 const std::filesystem::path& deviceDir,
                                 const std::vector<std::string>& extraArguments) {
  std::vector<std::string> arguments = {"--card", cardDir.string(), "--device-dir",
                                        deviceDir.string()};
  arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
  pid_ = ::fork();
  if (pid_ == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    Exec(ZQ61_EMU_PATH, arguments);
  }
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (pid_ > 0 && Clock::now() < deadline) {
    if (EndpointsPresent(deviceDir)) {
      ready_ = true;
      return;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

EmulatorProcess::~EmulatorProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    Reap(pid_, Clock::now() + std::chrono::seconds(5));
  }
}

}  // namespace zq::test
