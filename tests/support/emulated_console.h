#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "link/link_session.h"

namespace zq::emu {
class Console;
}

namespace zq::test {

struct ConsoleOptions {
  int sizeMiB = 16;
  std::uint8_t firmwareMajor = 2;
  std::uint8_t firmwareMinor = 0;
  bool unformatted = false;
};

// A console emulator served on a thread of the test process, over real
// endpoints in a temporary device directory, with its card in a temporary
// host folder. Everything is removed when it goes away.
class EmulatedConsole {
 public:
  explicit EmulatedConsole(ConsoleOptions options = {});
  ~EmulatedConsole();

  const std::filesystem::path& CardDir() const;
  const std::filesystem::path& DeviceDir() const;

  // A link second long enough for a loaded machine: a step whose time-out a
  // test does not examine must never run out because other builds keep the
  // cores busy.
  static constexpr std::chrono::milliseconds kRoomySecond{1000};

  // A session bound to this console's device directory, not yet connected,
  // whose time-outs last `second` per second.
  std::unique_ptr<LinkSession> MakeSession(std::chrono::milliseconds second = kRoomySecond) const;
  // The same, already connected (fails the test when it cannot connect). The
  // connection is made with the roomy second; `second` holds from then on,
  // for a test whose subject is a time-out.
  std::unique_ptr<LinkSession> Connected(std::chrono::milliseconds second = kRoomySecond) const;

  // The console switched off (its interface folder goes, its hosts see the
  // pipes close) and on again, with the same card and device directory.
  void Unplug();
  void Plug();

  // The console itself, to script faults.
  emu::Console& Console();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zq::test
