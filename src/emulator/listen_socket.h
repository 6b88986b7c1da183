#pragma once

#include <filesystem>
#include <string>

namespace zq::emu {

// A non-blocking listening Unix SOCK_SEQPACKET socket bound at `path` (a
// socket file left there by a console that was killed is replaced). Returns
// the descriptor, or -1 with `error` set.
int ListenSeqpacket(const std::filesystem::path& path, std::string& error);

// Accepts one pending connection without waiting; -1 when there is none.
int AcceptPending(int listenFd);

// True when the peer of a connected socket has closed its end.
bool PeerClosed(int fd);

}  // namespace zq::emu
