#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zq {

// Given to the start callback once, before data moves.
struct TransferStart {
  std::string path;    // send: the file name; receive: the console path
  std::string folder;  // send: the console folder; receive: empty
  std::string name;    // the file name to show
  std::uint32_t size = 0;
};

// Given to the packet callback after each data packet.
struct TransferProgress {
  std::uint32_t done = 0;  // bytes so far, this packet included
  std::uint32_t total = 0;
  std::uint32_t inPacket = 0;
};

// A callback returning status::kStopped (-3) stops the transfer; any other value goes on.
using StartCallback = std::function<int(const TransferStart&)>;
using PacketCallback = std::function<int(const TransferProgress&)>;

enum class Direction { ToConsole, ToPc };

}  // namespace zq
