#include "platform/directory_transport.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>

#include "platform/device_directory.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

namespace fs = std::filesystem;

// Leaves a socket file with nobody listening, as a killed console would.
void MakeStaleEndpoint(const fs::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

struct Recorder {
  std::string text;
  DirectoryTransport::DiagnosticSink Sink() {
    return [this](const std::string& line) { text += line; };
  }
};

TEST(DirectoryTransportTest, NoDeviceGivesNothingAfterTheDiagnostic) {
  test::EmulatedConsole console;  // only for its temporary folders
  Recorder missing;
  DirectoryTransport none(console.DeviceDir() / "absent", missing.Sink());
  EXPECT_EQ(none.OpenPipe("PIPE00"), nullptr);
  EXPECT_EQ(missing.text, "Failed to GetUsbDeviceFileName\n");

  // A folder whose only interface was left by a killed console.
  const fs::path stale = console.CardDir().parent_path() / "stale";
  fs::create_directories(stale / "if0");
  MakeStaleEndpoint(stale / "if0" / "PIPE00");
  Recorder lines;
  DirectoryTransport transport(stale, lines.Sink());
  EXPECT_EQ(transport.OpenPipe("PIPE02"), nullptr);
  const std::string name = (stale / "if0").string();
  EXPECT_EQ(lines.text, "Attempting to open " + name + "\nFAILED to open " + name +
                            "\nFailed to GetUsbDeviceFileName\n");
}

TEST(DirectoryTransportTest, FirstInterfaceThatOpensIsTheDevice) {
  test::EmulatedConsole console;  // its interface is "console0"
  const fs::path dev = console.DeviceDir();
  fs::create_directories(dev / "a-empty");
  fs::create_directories(dev / "b-stale");
  MakeStaleEndpoint(dev / "b-stale" / "PIPE00");
  Recorder lines;
  DirectoryTransport transport(dev, lines.Sink());
  auto pipe = transport.OpenPipe("PIPE02");
  ASSERT_NE(pipe, nullptr);
  const std::string a = (dev / "a-empty").string();
  const std::string b = (dev / "b-stale").string();
  const std::string c = (dev / "console0").string();
  EXPECT_EQ(lines.text, "Attempting to open " + a + "\nFAILED to open " + a +
                            "\nAttempting to open " + b + "\nFAILED to open " + b +
                            "\nAttempting to open " + c + "\ncompleteDeviceName = (" + c +
                            "/PIPE02)\nOpened successfully.\n");

  // A pipe that does not exist on the device: the failure line has no newline.
  lines.text.clear();
  EXPECT_EQ(transport.OpenPipe("PIPE07"), nullptr);
  EXPECT_NE(lines.text.find("completeDeviceName = (" + c + "/PIPE07)\nFailed to open (" + c +
                            "/PIPE07) = "),
            std::string::npos)
      << lines.text;
  EXPECT_NE(lines.text.back(), '\n');

  lines.text.clear();
  transport.SetDiagnostics(false);
  EXPECT_NE(transport.OpenPipe("PIPE00"), nullptr);
  EXPECT_EQ(lines.text, "");
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DeviceDirectoryTest, EnvironmentChoosesTheFolder) {
  {
    ScopedEnv dir("ZQ61_DEVICE_DIR", "/somewhere/dev");
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/7");
    EXPECT_EQ(DefaultDeviceDirectory(), fs::path("/somewhere/dev"));
  }
  {
    ScopedEnv dir("ZQ61_DEVICE_DIR", "");
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/7");
    EXPECT_EQ(DefaultDeviceDirectory(), fs::path("/run/user/7/zq61"));
  }
  {
    ScopedEnv dir("ZQ61_DEVICE_DIR", nullptr);
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(DefaultDeviceDirectory(), fs::path("/tmp/zq61-" + std::to_string(::getuid())));
  }
}

}  // namespace
}  // namespace zq
