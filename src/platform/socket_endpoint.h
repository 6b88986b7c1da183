#pragma once

#include <filesystem>

#include "platform/endpoint.h"

namespace zq {

// An endpoint on a connected Unix SOCK_SEQPACKET socket: one send is one
// packet, a short packet is a short read, and a peer that left reads as 0
// bytes; a write to a peer that left is kGone. The socket is non-blocking; the blocking calls wait
// in poll() on the socket and the cancel descriptor together.
class SocketEndpoint final : public Endpoint {
 public:
  explicit SocketEndpoint(int fd) : fd_(fd) {}
  ~SocketEndpoint() override;
  SocketEndpoint(const SocketEndpoint&) = delete;
  SocketEndpoint& operator=(const SocketEndpoint&) = delete;

  IoResult Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                 const CancelSignal& cancel) override;
  IoResult Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                const CancelSignal& cancel) override;
  IoResult TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) override;
  IoResult TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) override;
  bool WaitReady(bool forWrite, std::chrono::microseconds wait) override;
  bool PeerGone() override;
  // Reads and drops every packet already queued.
  void Resync() override;

  int Fd() const { return fd_; }

 private:
  IoResult WaitFor(short events, const CancelSignal& cancel);
  int fd_;
};

// Connects a non-blocking SOCK_SEQPACKET socket to the endpoint at `path`.
// Returns the descriptor, or -errno when it cannot connect (a full backlog
// fails at once instead of blocking).
int ConnectSeqpacket(const std::filesystem::path& path);

}  // namespace zq
