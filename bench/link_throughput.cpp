// Throughput of the link: 16 MiB sent with SendFile and received with
// ReceiveFile through the console emulator over the real endpoints, and the
// same packet pattern through the same endpoints without LinkSession (plain
// blocking calls on the caller's thread, no worker, no checks): the
// transport's own limit on this machine.
//
// The emulator runs as a separate process (zq61-emu, found beside this
// program's build folder or given with --emu), so that the host's CPU time
// (getrusage of this process: caller and pipe worker) counts the host alone.
//
//   link_throughput [--mib N] [--speed KIB_PER_S] [--firmware 1.4] [--emu PATH]
//   link_throughput --usb [--mib N]
//
// With --usb the console is a USB device already there (zq61-emu as a gadget:
// bench/usb_throughput runs it all in the test guest). The raw figures are
// then plain synchronous libusb bulk transfers of the same packet pattern,
// and LinkSession runs over UsbTransport with and without the read-ahead.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/link_session.h"
#include "link/wire_codes.h"
#include "platform/cancel_signal.h"
#include "platform/directory_transport.h"
#include "usb_link.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Figures {
  double seconds = 0;
  double cpuSeconds = 0;
  bool ok = false;
};

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

template <typename F>
Figures Measure(F&& run) {
  Figures f;
  const double cpu = ProcessCpuSeconds();
  const auto start = Clock::now();
  f.ok = run();
  f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  f.cpuSeconds = ProcessCpuSeconds() - cpu;
  return f;
}

// One packet out or in, by plain blocking calls; the bytes moved, or -1.
using PacketIo = std::function<long(std::array<std::uint8_t, 256>&)>;

// The packet pattern of a send and a receive, by hand on two pipes.
class RawLink {
 public:
  explicit RawLink(zq::DirectoryTransport& transport)
      : in_(transport.OpenPipe("PIPE00")), out_(transport.OpenPipe("PIPE02")) {
    write_ = [this](std::array<std::uint8_t, 256>& p) {
      std::size_t n = 0;
      return out_->Write(p, n, never_) == zq::IoResult::kOk ? static_cast<long>(n) : -1L;
    };
    read_ = [this](std::array<std::uint8_t, 256>& p) {
      std::size_t n = 0;
      return in_->Read(p, n, never_) == zq::IoResult::kOk ? static_cast<long>(n) : -1L;
    };
  }
  RawLink(PacketIo write, PacketIo read) : write_(std::move(write)), read_(std::move(read)) {}
  bool Open() const { return write_ && read_ && (in_ || !out_); }

  bool Send(const std::vector<std::uint8_t>& data, std::uint32_t block) {
    const auto size = static_cast<std::uint32_t>(data.size());
    if (!Code(zq::wire::cmd::kSendFile) || !Text("zq:\\game\\") || !Reply() || !Text("RAW.BIN") ||
        !Reply() || !Value(size)) {
      return false;
    }
    for (std::uint32_t offset = 0;;) {
      if (!Reply()) {
        return false;
      }
      if (offset == size) {
        return Value(0) && Reply() && packet_[0] == zq::wire::reply::kSendDone;
      }
      const std::uint32_t length = std::min(block, size - offset);
      if (!Value(length) || !Reply()) {
        return false;
      }
      for (const std::uint32_t end = offset + length; offset < end;) {
        const std::uint32_t n = std::min<std::uint32_t>(256, end - offset);
        packet_.fill(0);
        std::memcpy(packet_.data(), data.data() + offset, n);
        if (!Write()) {
          return false;
        }
        offset += n;
      }
    }
  }

  bool Receive(const char* path, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!Code(zq::wire::cmd::kReceiveFile) || !Text(path) || !Reply()) {
      return false;
    }
    const std::uint32_t total = packet_[0] | (packet_[1] << 8) | (packet_[2] << 16) |
                                (static_cast<std::uint32_t>(packet_[3]) << 24);
    out.reserve(total);
    while (out.size() < total) {
      if (!Code(zq::wire::cmd::kNextChunk) || !Reply()) {
        return false;
      }
      const std::uint32_t chunk = packet_[0] | (packet_[1] << 8);
      if (chunk == 0 || !Code(zq::wire::cmd::kChunkData)) {
        return false;
      }
      for (std::uint32_t got = 0; got < chunk;) {
        if (!Data()) {
          return false;
        }
        const std::uint32_t n = std::min<std::uint32_t>(256, chunk - got);
        out.insert(out.end(), packet_.begin(), packet_.begin() + n);
        got += n;
        const bool last = out.size() == total;
        if (!Code(last ? zq::wire::cmd::kReceiveDone : zq::wire::cmd::kGoOn)) {
          return false;
        }
      }
    }
    return true;
  }

 private:
  bool Write() { return write_(packet_) == 256; }
  bool Reply() { return read_(packet_) == 256 && packet_[0] != zq::wire::reply::kFailed; }
  bool Data() { return read_(packet_) == 256; }
  bool Code(std::uint8_t code) {
    packet_.fill(0);
    packet_[0] = code;
    return Write();
  }
  bool Text(const char* text) {
    packet_.fill(0);
    packet_[0] = static_cast<std::uint8_t>(std::strlen(text));
    std::memcpy(packet_.data() + 1, text, std::strlen(text));
    return Write();
  }
  bool Value(std::uint32_t v) {
    packet_.fill(0);
    for (int i = 0; i < 4; ++i) {
      packet_[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    return Write();
  }

  std::unique_ptr<zq::Endpoint> in_;
  std::unique_ptr<zq::Endpoint> out_;
  std::array<std::uint8_t, 256> packet_{};
  zq::CancelSignal never_;
  PacketIo write_;
  PacketIo read_;
};

void Report(const char* what, const Figures& raw, const Figures& link, double mib) {
  const double bytes = mib * 1024 * 1024;
  const double rawRate = bytes / raw.seconds / 1e6;
  const double linkRate = bytes / link.seconds / 1e6;
  std::printf(
      "%-8s raw transport %8.2f MB/s (cpu %.4f s/MiB) | LinkSession %8.2f MB/s "
      "(cpu %.4f s/MiB, wall %.4f s/MiB) | ratio %.2f%s\n",
      what, rawRate, raw.cpuSeconds / mib, linkRate, link.cpuSeconds / mib, link.seconds / mib,
      linkRate / rawRate, raw.ok && link.ok ? "" : "  (FAILED)");
}

std::vector<std::uint8_t> TestData(double mib) {
  const auto size = static_cast<std::size_t>(mib * 1024 * 1024);
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<std::uint8_t>(i * 31 + (i >> 12));
  }
  return data;
}

int RunUsb(double mib) {
  const auto data = TestData(mib);
  std::vector<std::uint8_t> back;
  std::uint32_t block = zq::wire::kLargeBlock;
  Figures rawSend, rawReceive;
  {
    RawUsb raw;
    if (!raw.Open()) {
      std::fprintf(stderr, "no USB console (1209:0005) to open\n");
      return 1;
    }
    RawLink link([&](auto& p) { return raw.Transfer(false, p); },
                 [&](auto& p) { return raw.Transfer(true, p); });
    std::printf("moving %.0f MiB over USB (%s, %u-byte packets)\n", mib, raw.Name().c_str(),
                raw.MaxPacket());
    rawSend = Measure([&] { return link.Send(data, block); });
    rawReceive = Measure([&] { return link.Receive("zq:\\game\\raw.bin", back) && back == data; });
  }
  bool ok = rawSend.ok && rawReceive.ok;
  for (const bool readAhead : {true, false}) {
    auto search =
        std::make_shared<zq::UsbSearch>(zq::ConsoleUsbIds(), zq::UsbPipeMode{true, readAhead});
    auto transport = std::make_shared<zq::UsbTransport>(search);
    transport->SetDiagnostics(false);
    zq::LinkSession session(transport);
    if (session.Connect() != zq::status::kOk) {
      std::fprintf(stderr, "cannot connect over USB\n");
      return 1;
    }
    const Figures linkSend = Measure(
        [&] { return session.SendFile(data, "zq:\\game\\", "LINK.BIN", nullptr, nullptr) == 0; });
    const Figures linkReceive = Measure([&] {
      return session.ReceiveFile("zq:\\game\\link.bin", "link.bin", back, nullptr, nullptr) ==
                 zq::status::kOk &&
             back == data;
    });
    session.Disconnect();
    std::printf("LinkSession over UsbTransport, read-ahead %s:\n", readAhead ? "on" : "off");
    Report("send", rawSend, linkSend, mib);
    Report("receive", rawReceive, linkReceive, mib);
    ok = ok && linkSend.ok && linkReceive.ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  double mib = 16;
  std::string speed;
  std::string firmware = "2.0";
  fs::path emu = fs::canonical("/proc/self/exe").parent_path().parent_path() / "src" / "zq61-emu";
  bool usb = false;
  for (int i = 1; i < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--usb") {
      usb = true;
      --i;
    } else if (i + 1 >= argc) {
      std::fprintf(stderr, "%s needs a value\n", arg.c_str());
      return 2;
    } else if (arg == "--mib") {
      mib = std::atof(argv[i + 1]);
    } else if (arg == "--speed") {
      speed = argv[i + 1];
    } else if (arg == "--firmware") {
      firmware = argv[i + 1];
    } else if (arg == "--emu") {
      emu = argv[i + 1];
    } else {
      std::fprintf(stderr, "unknown option %s\n", arg.c_str());
      return 2;
    }
  }
  if (usb) {
    return RunUsb(mib);
  }
  if (!fs::exists(emu)) {
    std::fprintf(stderr, "zq61-emu not found at %s (build it, or give --emu PATH)\n", emu.c_str());
    return 2;
  }
  char pattern[] = "/tmp/zq-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    return 1;
  }
  const fs::path root = pattern;
  const fs::path dev = root / "dev";
  std::vector<std::string> args = {emu.string(), "--card",     (root / "card").string(),
                                   "--size",     "128",        "--device-dir",
                                   dev.string(), "--firmware", firmware};
  if (!speed.empty()) {
    args.insert(args.end(), {"--speed", speed});
  }
  std::vector<char*> argvEmu;
  for (auto& a : args) {
    argvEmu.push_back(a.data());
  }
  argvEmu.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  if (posix_spawn(&pid, argvEmu[0], &actions, nullptr, argvEmu.data(), environ) != 0) {
    std::perror("posix_spawn");
    return 1;
  }
  posix_spawn_file_actions_destroy(&actions);
  const fs::path ready = dev / ("zq61-emu-" + std::to_string(pid)) / "PIPE00";
  for (int i = 0; i < 500 && !fs::exists(ready); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }

  auto transport = std::make_shared<zq::DirectoryTransport>(dev);
  transport->SetDiagnostics(false);
  const auto data = TestData(mib);
  std::printf("moving %.0f MiB through zq61-emu (separate process, pid %d, firmware %s%s%s)\n", mib,
              static_cast<int>(pid), firmware.c_str(), speed.empty() ? "" : ", speed ",
              speed.empty() ? "" : (speed + " KiB/s").c_str());

  Figures rawSend, rawReceive, linkSend, linkReceive;
  std::vector<std::uint8_t> back;
  std::uint32_t block = zq::wire::kLargeBlock;
  {
    zq::LinkSession session(transport);
    if (session.Connect() != zq::status::kOk) {
      std::fprintf(stderr, "cannot connect to the emulator\n");
      ::kill(pid, SIGTERM);
      ::waitpid(pid, nullptr, 0);
      fs::remove_all(root);
      return 1;
    }
    block = session.BlockSize();
    session.Disconnect();
  }
  {
    RawLink raw(*transport);
    rawSend = Measure([&] { return raw.Open() && raw.Send(data, block); });
    rawReceive = Measure([&] { return raw.Receive("zq:\\game\\raw.bin", back) && back == data; });
  }
  {
    zq::LinkSession session(transport);
    session.Connect();
    linkSend = Measure(
        [&] { return session.SendFile(data, "zq:\\game\\", "LINK.BIN", nullptr, nullptr) == 0; });
    linkReceive = Measure([&] {
      return session.ReceiveFile("zq:\\game\\link.bin", "link.bin", back, nullptr, nullptr) ==
                 zq::status::kOk &&
             back == data;
    });
    session.Disconnect();
  }
  Report("send", rawSend, linkSend, mib);
  Report("receive", rawReceive, linkReceive, mib);

  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  fs::remove_all(root);
  return rawSend.ok && rawReceive.ok && linkSend.ok && linkReceive.ok ? 0 : 1;
}
