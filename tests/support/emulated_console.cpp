#include "support/emulated_console.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <thread>

#include "emulator/console.h"
#include "platform/directory_transport.h"

namespace zq::test {
namespace fs = std::filesystem;

struct EmulatedConsole::Impl {
  fs::path root;
  fs::path card;
  fs::path deviceDir;
  emu::ConsoleConfig config;
  std::unique_ptr<emu::Console> console;
  std::thread thread;
};

EmulatedConsole::EmulatedConsole(ConsoleOptions options) : impl_(std::make_unique<Impl>()) {
  std::string pattern = (fs::temp_directory_path() / "zq-emu-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  impl_->root = pattern;
  impl_->card = impl_->root / "card";
  impl_->deviceDir = impl_->root / "dev";

  emu::ConsoleConfig& config = impl_->config;
  config.card = impl_->card;
  config.deviceDir = impl_->deviceDir;
  config.interfaceName = "console0";
  config.sizeMiB = static_cast<std::uint32_t>(options.sizeMiB);
  config.firmwareMajor = options.firmwareMajor;
  config.firmwareMinor = options.firmwareMinor;
  config.unformatted = options.unformatted;
  config.blockGap = std::chrono::milliseconds(300);
  try {
    Plug();
  } catch (...) {
    fs::remove_all(impl_->root);
    throw;
  }
}

void EmulatedConsole::Plug() {
  if (impl_->console) {
    return;
  }
  auto console = std::make_unique<emu::Console>(impl_->config);
  console->SetRecording(true);
  std::string error;
  if (!console->Open(error)) {
    throw std::runtime_error("emulated console: " + error);
  }
  impl_->console = std::move(console);
  impl_->thread = std::thread([console = impl_->console.get()] { console->Run(); });
}

void EmulatedConsole::Unplug() {
  if (!impl_->console) {
    return;
  }
  impl_->console->Stop();
  impl_->thread.join();
  impl_->console.reset();
}

EmulatedConsole::~EmulatedConsole() {
  Unplug();
  std::error_code ec;
  fs::remove_all(impl_->root, ec);
}

const fs::path& EmulatedConsole::CardDir() const {
  return impl_->card;
}
const fs::path& EmulatedConsole::DeviceDir() const {
  return impl_->deviceDir;
}

std::unique_ptr<LinkSession> EmulatedConsole::MakeSession(std::chrono::milliseconds second) const {
  auto transport = std::make_shared<DirectoryTransport>(impl_->deviceDir);
  transport->SetDiagnostics(false);
  return std::make_unique<LinkSession>(transport, LinkTiming{second});
}

std::unique_ptr<LinkSession> EmulatedConsole::Connected(std::chrono::milliseconds second) const {
  auto session = MakeSession(kRoomySecond);
  const Status s = session->Connect();
  if (s != status::kOk) {
    ADD_FAILURE() << "cannot connect to the emulated console: status " << s;
  }
  session->SetTiming(LinkTiming{second});
  return session;
}

emu::Console& EmulatedConsole::Console() {
  return *impl_->console;
}

}  // namespace zq::test
