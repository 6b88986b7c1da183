// The link's handling of console replies: a scripted console answers from the
// fuzzer's bytes (a connect first, then operation after operation) (each pipe call takes its
// outcome: whole, short, failed, hanging until the time-out, or ready after a wait; each read its
// reply) while the session connects, queries, lists, sends and receives. Every call returns a
// status of its documented set, a time-out leaves the link not connected, a failed listing or
// receive hands out nothing, and no received file is larger than the largest card.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "support/scripted_endpoint.h"

namespace {

using zq::Status;
namespace status = zq::status;

bool OneOf(Status s, std::initializer_list<Status> allowed) {
  return s == status::kOk || std::find(allowed.begin(), allowed.end(), s) != allowed.end();
}

// The step rules every exchange shares: time-out, pipe failure, garbled reply.
constexpr std::initializer_list<Status> kStep = {status::kTimedOut, status::kIoFailed,
                                                 status::kCommError};

bool StepOr(Status s, std::initializer_list<Status> more) {
  return OneOf(s, kStep) || OneOf(s, more);
}

const std::filesystem::path& PcFolder() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("zq-fuzz-link-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    const std::vector<std::uint8_t> bytes(700, 0xA5);  // what ToConsole sends
    FILE* file = std::fopen((path / "IN.BIN").c_str(), "wb");
    FUZZ_CHECK(file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::fclose(file);
    return path;
  }();
  return folder;
}

void CheckListing(zq::LinkSession& session, zq::ListMode mode) {
  zq::EntryList entries;
  const Status s = session.ListFolder(entries, "zq:\\game\\", mode);
  FUZZ_CHECK(StepOr(s, {status::kUnformatted, status::kConsoleFailed, status::kNoMemory}));
  FUZZ_CHECK(s == status::kOk || entries.empty());
  FUZZ_CHECK(entries.size() <= 65536);
  for (const zq::RemoteEntry& entry : entries) {
    FUZZ_CHECK(entry.name.size() <= zq::wire::kMaxListedName);
    FUZZ_CHECK(entry.name.find('\0') == std::string::npos);
    FUZZ_CHECK(entry.nameLength == entry.name.size());
  }
}

// Progress callbacks that stop at a packet the script names (0: never).
struct Stops {
  bool atStart = false;
  std::uint32_t atPacket = 0;
  std::uint32_t packets = 0;
  std::uint32_t lastDone = 0;

  zq::StartCallback Start() {
    return [this](const zq::TransferStart&) { return atStart ? status::kStopped : status::kGoOn; };
  }
  zq::PacketCallback Packet() {
    return [this](const zq::TransferProgress& p) {
      FUZZ_CHECK(p.done >= lastDone && p.done <= p.total && p.inPacket <= 256);
      lastDone = p.done;
      return ++packets == atPacket ? status::kStopped : status::kGoOn;
    };
  }
};

Stops ReadStops(zq::test::ByteScript& script) {
  const std::uint8_t byte = script.Byte();
  return Stops{(byte & 0x80) != 0, static_cast<std::uint32_t>(byte & 0x7F)};
}

void RunOne(zq::LinkSession& session, zq::test::ByteScript& script) {
  const std::uint8_t op = script.Byte();
  Status s = status::kOk;
  switch (op % 11) {
    case 0:
      s = session.Connect();
      FUZZ_CHECK(OneOf(
          s, {status::kOpenPortFailed, status::kTimedOut, status::kIoFailed, status::kCommError}));
      FUZZ_CHECK(session.IsConnected() == (s == status::kOk));
      if (s == status::kOk) {
        const bool large = session.FirmwareMajor() > 1 ||
                           (session.FirmwareMajor() == 1 && session.FirmwareMinor() >= 5);
        FUZZ_CHECK(session.BlockSize() ==
                   (large ? zq::LinkSession::kLargeBlock : zq::LinkSession::kSmallBlock));
      }
      break;
    case 1: {
      std::uint32_t total = 0, used = 0, free = 0;
      s = session.QueryDiskInfo(total, used, free);
      FUZZ_CHECK(StepOr(s, {status::kConsoleFailed}));
      break;
    }
    case 2: {
      std::array<std::uint8_t, zq::wire::kIdentificationSize> id{};
      s = session.Query(2, id);
      FUZZ_CHECK(StepOr(s, {}));
      break;
    }
    case 3:
    case 4:
      CheckListing(session, op % 10 == 3 ? zq::ListMode::Full : zq::ListMode::NamesOnly);
      break;
    case 5: {
      // Up to 1 MiB, so that several blocks of either size go out.
      const std::uint32_t size = static_cast<std::uint32_t>(script.U16()) * 16 + script.Byte();
      Stops stops = ReadStops(script);
      const std::vector<std::uint8_t> data(size, 0x5A);
      s = session.SendFile(data, "zq:\\game", "FUZZ.BIN", stops.Start(), stops.Packet());
      FUZZ_CHECK(StepOr(s, {status::kStopped, status::kConsoleFailed, status::kPathMissing}));
      FUZZ_CHECK(s != status::kOk || stops.lastDone == size);
      break;
    }
    case 6: {
      Stops stops = ReadStops(script);
      std::vector<std::uint8_t> out{1, 2, 3};
      s = session.ReceiveFile("zq:\\game\\FUZZ.BIN", "FUZZ.BIN", out, stops.Start(),
                              stops.Packet());
      FUZZ_CHECK(StepOr(s, {status::kStopped, status::kConsoleFailed, status::kNoMemory}));
      FUZZ_CHECK(s == status::kOk || out.empty());
      FUZZ_CHECK(out.size() <= zq::wire::kLargestCard);
      FUZZ_CHECK(s != status::kOk || out.size() == stops.lastDone);
      break;
    }
    case 7: {
      // Both directions, a PC file that is not there, and PC names that
      // would leave the folder or cannot be created.
      const std::uint8_t which = script.Byte() % 5;
      Stops stops = ReadStops(script);
      const std::filesystem::path& pc = PcFolder();
      if (which == 1 || which == 2) {
        const std::string source = (pc / (which == 1 ? "IN.BIN" : "MISSING.BIN")).string();
        s = session.TransferFile(source, "zq:\\game", "IN.BIN", zq::Direction::ToConsole,
                                 stops.Start(), stops.Packet());
        FUZZ_CHECK(StepOr(s, {status::kStopped, status::kConsoleFailed, status::kPathMissing}) ||
                   (which == 2 && s == status::kOpenFileFailed));
        FUZZ_CHECK(which == 1 || s == status::kOpenFileFailed);
        break;
      }
      const std::string folder = (which == 4 ? pc / "NO-SUCH-FOLDER" : pc).string();
      s = session.TransferFile("zq:\\game\\FUZZ.BIN", folder, which == 3 ? ".." : "OUT.BIN",
                               zq::Direction::ToPc, stops.Start(), stops.Packet());
      FUZZ_CHECK(StepOr(s, {status::kStopped, status::kConsoleFailed, status::kNoMemory,
                            status::kCreateFileFailed, status::kShortWrite}));
      FUZZ_CHECK(which != 3 || s == status::kCreateFileFailed);
      break;
    }
    case 8: {
      const std::uint8_t which = script.Byte() % 4;
      if (which == 0) {
        s = session.CreateFolder("zq:\\game\\NEW");
        FUZZ_CHECK(StepOr(s, {status::kConsoleFailed, status::kPathMissing}));
      } else if (which == 1) {
        s = session.RemoveFolder("zq:\\game\\OLD");
        FUZZ_CHECK(StepOr(s, {status::kConsoleFailed}));
      } else if (which == 2) {
        s = session.RemoveFile("zq:\\game\\OLD.BIN");
        FUZZ_CHECK(StepOr(s, {status::kConsoleFailed}));
      } else {
        s = session.FormatCard(60);
        FUZZ_CHECK(StepOr(s, {status::kConsoleFailed}));
      }
      break;
    }
    case 10: {
      bool found = true;
      s = session.EntryExists("zq:\\game\\", "data", (script.Byte() & 1) != 0, found);
      FUZZ_CHECK(StepOr(s, {status::kUnformatted, status::kConsoleFailed, status::kNoMemory}));
      FUZZ_CHECK(s == status::kOk || !found);
      break;
    }
    case 9:
      s = session.Disconnect();
      FUZZ_CHECK(OneOf(s, {status::kTimedOut, status::kIoFailed}));
      FUZZ_CHECK(!session.IsConnected());
      break;
  }
  if (s == status::kTimedOut) {
    FUZZ_CHECK(!session.IsConnected());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One session for the whole run: every pipe worker is a thread, and the
  // sanitizers keep a little of each thread for good, so a session (and its
  // first worker) per input would fill the memory limit within minutes.
  // Link seconds of no length: a hanging call times out at once.
  static const auto transport =
      std::make_shared<zq::test::ScriptedTransport>(std::span<const std::uint8_t>{});
  static zq::LinkSession session(transport, zq::LinkTiming{std::chrono::milliseconds(0)});
  session.Reset();  // the pipes of the last input go before its script does
  transport->Restart(std::span<const std::uint8_t>(data, size));
  // Every input starts with a connect, which sets all the session keeps
  // (identification, firmware, block size); a failed one ends the input.
  zq::test::ByteScript& script = transport->Script();
  const Status connected = session.Connect();
  FUZZ_CHECK(session.IsConnected() == (connected == status::kOk));
  if (connected != status::kOk) {
    return 0;
  }
  for (int round = 0; round < 8 && !script.Empty(); ++round) {
    RunOne(session, script);
  }
  return 0;
}
