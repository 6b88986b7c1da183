#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/device_transport.h"
#include "platform/endpoint.h"

// A console made of a byte script: each pipe call of the host takes its
// outcome, and each read its reply bytes, from the script in call order. The
// link's fuzz target feeds it the fuzzer's bytes; tests write scripts with
// ScriptWriter. A script that has run out lets every write through and fails
// every read (the console is gone), so that only a hang the script asks for
// costs a time-out.
namespace zq::test {

// The outcome byte of one call, taken modulo 8; 5 to 7 act like kWhole.
enum class StepOutcome : std::uint8_t {
  kWhole = 0,      // the packet moves whole (a read then takes a reply)
  kShort = 1,      // a count byte follows: so many bytes move (a read takes them)
  kFailed = 2,     // the system call fails (for an open: the pipe does not open)
  kHang = 3,       // nothing ever moves: the call waits until it is cancelled
  kAfterWait = 4,  // not at once, but soon: the packet moves after a wait (a read takes a reply)
};

// Reads the script front to back; past its end every read gives zeros.
class ByteScript {
 public:
  explicit ByteScript(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Empty() const { return position_ >= bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - position_; }
  std::uint8_t Byte();
  std::uint16_t U16();
  std::uint32_t U32();
  // Up to `count` bytes (fewer when the script ends).
  std::span<const std::uint8_t> Bytes(std::size_t count);

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// What a scripted console did, for the checks of tests and the fuzz target.
struct ScriptRecord {
  std::size_t writes = 0;
  std::size_t reads = 0;
  std::size_t hangs = 0;
  std::vector<std::uint8_t> lastWrite;  // the last packet the host wrote whole
};

// One pipe of the scripted console. Both pipes of a transport share one script.
class ScriptedEndpoint final : public Endpoint {
 public:
  ScriptedEndpoint(ByteScript& script, ScriptRecord& record) : script_(script), record_(record) {}

  IoResult Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                 const CancelSignal& cancel) override;
  IoResult Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                const CancelSignal& cancel) override;
  IoResult TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) override;
  IoResult TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) override;
  bool WaitReady(bool forWrite, std::chrono::microseconds wait) override;

 private:
  enum class Pending { kNone, kHang, kReady };

  IoResult Attempt(bool write, std::span<std::uint8_t> buffer, std::size_t& transferred);
  IoResult Move(bool write, StepOutcome outcome, std::span<std::uint8_t> buffer,
                std::size_t& transferred);

  ByteScript& script_;
  ScriptRecord& record_;
  Pending pending_ = Pending::kNone;
};

// Opens scripted pipes; each open takes one outcome byte (kFailed refuses it).
class ScriptedTransport final : public DeviceTransport {
 public:
  explicit ScriptedTransport(std::span<const std::uint8_t> script) : script_(script) {}

  // Starts over on another script; pipes opened before must be closed first.
  void Restart(std::span<const std::uint8_t> script) {
    script_ = ByteScript(script);
    record_ = ScriptRecord{};
  }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName) override;
  ByteScript& Script() { return script_; }
  const ScriptRecord& Record() const { return record_; }

 private:
  ByteScript script_;
  ScriptRecord record_;
};

// Writes scripts in the format ScriptedEndpoint reads.
class ScriptWriter {
 public:
  ScriptWriter& Open() { return Outcome(StepOutcome::kWhole); }
  ScriptWriter& Outcome(StepOutcome outcome);
  ScriptWriter& Write() { return Outcome(StepOutcome::kWhole); }
  ScriptWriter& ShortWrite(std::uint8_t count);
  // A whole reply whose first bytes are `bytes` (at most 255), zeros after.
  ScriptWriter& Reply(std::span<const std::uint8_t> bytes);
  ScriptWriter& Reply(std::initializer_list<std::uint8_t> bytes);
  ScriptWriter& ShortReply(std::span<const std::uint8_t> bytes);
  ScriptWriter& Raw(std::span<const std::uint8_t> bytes);
  ScriptWriter& Byte(std::uint8_t value);
  ScriptWriter& U16(std::uint16_t value);
  ScriptWriter& U32(std::uint32_t value);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace zq::test
