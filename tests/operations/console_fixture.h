#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "emulator/console.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/temp_dir.h"

namespace zq::test {

// The device operations against the in-process console over real endpoints,
// with the scripted user interface and a real temporary PC folder.
class ConsoleFixture : public ::testing::Test {
 protected:
  using Lines = std::vector<std::string>;

  explicit ConsoleFixture(ConsoleOptions options = {}) : console(options) {}

  // Whether the console was sent the command packet `code` (a command packet
  // is the code followed by 255 zero bytes).
  bool SawCommand(std::uint8_t code) {
    for (const auto& packet : console.Console().Received()) {
      if (packet.size() == 256 && packet[0] == code &&
          std::all_of(packet.begin() + 1, packet.end(), [](std::uint8_t b) { return b == 0; })) {
        return true;
      }
    }
    return false;
  }

  // Waits, at most two seconds, for something the console does on its own thread.
  template <typename Predicate>
  static bool Eventually(Predicate done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) {
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  static void WriteFile(const std::filesystem::path& path, std::size_t size, char fill = 'x') {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << std::string(size, fill);
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // A PC folder path in the form the views collect: ending in '/'.
  static std::string AsFolder(const std::filesystem::path& path) { return path.string() + "/"; }

  std::filesystem::path Card(const std::filesystem::path& relative) const {
    return console.CardDir() / relative;
  }

  EmulatedConsole console;
  // The link keeps the roomy second of the harness; a test whose subject is a
  // time-out shortens it (link->SetTiming) just before the step that times out.
  static constexpr LinkTiming kShortTiming{std::chrono::milliseconds(20)};
  std::unique_ptr<LinkSession> link = console.Connected();
  FakeUserInterface ui;
  DeviceOperations ops{*link, ui};
  TempDir pc;
};

}  // namespace zq::test
