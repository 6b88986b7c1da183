#include "emulator/gadget_console.h"

#include <fcntl.h>
#include <linux/usb/ch9.h>
#include <linux/usb/functionfs.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "emulator/close_fd.h"
#include "emulator/functionfs_descriptors.h"
#include "link/wire_codes.h"

namespace zq::emu {
namespace fs = std::filesystem;

namespace {

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string ErrnoText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

// One endpoint transfer in the kernel's hands, with its own buffer.
struct GadgetConsole::Operation {
  iocb control{};
  Packet buffer{};
  std::size_t length = 0;
  bool read = false;
  std::uint64_t generation = 0;
};

GadgetConsole::GadgetConsole(ConsoleConfig config, fs::path functionFs)
    : config_(std::move(config)), functionFs_(std::move(functionFs)), responder_(config_) {
  stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

GadgetConsole::~GadgetConsole() {
  Close();
  CloseFd(stopFd_);
}

bool GadgetConsole::Open(std::string& error) {
  if (stopFd_ < 0) {
    error = "eventfd failed";
    return false;
  }
  ep0_ = ::open((functionFs_ / "ep0").c_str(), O_RDWR | O_CLOEXEC);
  if (ep0_ < 0) {
    error = ErrnoText("cannot open " + (functionFs_ / "ep0").string() +
                      " (is FunctionFS mounted there?)");
    return false;
  }
  if (!WriteAll(ep0_, FunctionFsDescriptors()) || !WriteAll(ep0_, FunctionFsStrings())) {
    error = ErrnoText("FunctionFS refused the descriptors");
    Close();
    return false;
  }
  out_ = ::open((functionFs_ / kGadgetOutEndpointFile).c_str(), O_RDWR | O_CLOEXEC);
  in_ = ::open((functionFs_ / kGadgetInEndpointFile).c_str(), O_RDWR | O_CLOEXEC);
  aioFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (out_ < 0 || in_ < 0 || aioFd_ < 0 || ::syscall(__NR_io_setup, 8, &aio_) != 0) {
    error = ErrnoText("cannot open the FunctionFS endpoints");
    Close();
    return false;
  }
  // Events are read when poll says they are there.
  ::fcntl(ep0_, F_SETFL, ::fcntl(ep0_, F_GETFL) | O_NONBLOCK);
  Log("gadget descriptors written to " + functionFs_.string());
  return true;
}

void GadgetConsole::Close() {
  CancelAll();
  if (aio_ != 0) {
    ::syscall(__NR_io_destroy, aio_);  // waits for what is still in flight
    aio_ = 0;
  }
  for (Operation* op : pending_) {
    delete op;
  }
  pending_.clear();
  CloseFd(aioFd_);
  CloseFd(out_);
  CloseFd(in_);
  CloseFd(ep0_);
}

void GadgetConsole::Stop() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(stopFd_, &one, sizeof one);
}

bool GadgetConsole::Submit(std::unique_ptr<Operation> op) {
  op->generation = generation_;
  op->control.aio_data = reinterpret_cast<std::uintptr_t>(op.get());
  op->control.aio_lio_opcode = op->read ? IOCB_CMD_PREAD : IOCB_CMD_PWRITE;
  op->control.aio_fildes = static_cast<std::uint32_t>(op->read ? out_ : in_);
  op->control.aio_buf = reinterpret_cast<std::uintptr_t>(op->buffer.data());
  op->control.aio_nbytes = op->length;
  op->control.aio_flags = IOCB_FLAG_RESFD;
  op->control.aio_resfd = static_cast<std::uint32_t>(aioFd_);
  iocb* list[1] = {&op->control};
  if (::syscall(__NR_io_submit, aio_, 1, list) != 1) {
    Log(ErrnoText("io_submit"));
    return false;
  }
  pending_.push_back(op.release());
  return true;
}

void GadgetConsole::SubmitRead() {
  if (!enabled_ || read_ != nullptr) {
    return;
  }
  auto op = std::make_unique<Operation>();
  op->read = true;
  op->length = wire::kPacketSize;  // exactly one packet: see the class comment
  Operation* submitted = op.get();
  if (Submit(std::move(op))) {
    read_ = submitted;
  }
}

void GadgetConsole::Halt(int fd, const char* which) {
  // An I/O against the endpoint's direction halts it (FunctionFS answers
  // EBADMSG). The console drops the exchange it was in.
  std::uint8_t byte = 0;
  const ssize_t n = fd == in_ ? ::read(fd, &byte, 1) : ::write(fd, &byte, 1);
  Log(std::string(which) +
      (n < 0 && errno == EBADMSG ? " endpoint halted" : " endpoint not halted"));
  responder_.Abandon();
}

void GadgetConsole::SubmitNextWrite() {
  while (enabled_ && !writing_ && !replies_.empty() &&
         replies_.front().halt == OutgoingReply::Halt::kIn) {
    replies_.pop_front();
    Halt(in_, "IN");
  }
  if (!enabled_ || writing_ || replies_.empty()) {
    return;
  }
  const bool haltOut = replies_.front().halt == OutgoingReply::Halt::kOut;
  auto op = std::make_unique<Operation>();
  op->buffer = replies_.front().bytes;
  op->length = replies_.front().length;
  replies_.pop_front();
  // A short reply whose length is a whole number of packets would not end
  // the host's transfer: a zero-length packet follows it.
  if (op->length > 0 && op->length < wire::kPacketSize && op->length % inMaxPacket_ == 0) {
    replies_.push_front({Packet{}, 0});
  }
  writing_ = Submit(std::move(op));
  if (haltOut) {
    Halt(out_, "OUT");
  }
}

void GadgetConsole::CancelAll() {
  if (aio_ == 0) {
    return;
  }
  for (Operation* op : pending_) {
    io_event ignored{};
    ::syscall(__NR_io_cancel, aio_, &op->control, &ignored);
  }
}

void GadgetConsole::CancelWrites() {
  if (aio_ == 0) {
    return;
  }
  for (Operation* op : pending_) {
    if (!op->read) {
      io_event ignored{};
      ::syscall(__NR_io_cancel, aio_, &op->control, &ignored);
    }
  }
}

void GadgetConsole::StartSession() {
  // Replies of an earlier session are not sent. The read in flight stays:
  // a packet it brings was sent after the host set the interface, so it is
  // the new host's first one.
  ++generation_;
  CancelWrites();
  enabled_ = true;
  writing_ = false;
  replies_.clear();
  responder_.StartSession();
  usb_endpoint_descriptor descriptor{};
  if (::ioctl(in_, FUNCTIONFS_ENDPOINT_DESC, &descriptor) == 0 && descriptor.wMaxPacketSize != 0) {
    inMaxPacket_ = descriptor.wMaxPacketSize;
  }
  Log("host connected (" + std::to_string(inMaxPacket_) + "-byte packets)");
  SubmitRead();
}

void GadgetConsole::EndSession(const char* why) {
  if (!enabled_) {
    return;
  }
  ++generation_;
  CancelAll();
  enabled_ = false;
  read_ = nullptr;
  writing_ = false;
  replies_.clear();
  responder_.Abandon();
  Log(std::string("host gone: ") + why);
}

void GadgetConsole::OnEvent(const std::uint8_t* event) {
  const std::uint8_t type = event[8];
  switch (type) {
    case FUNCTIONFS_BIND:
      Log("bound to a device controller");
      break;
    case FUNCTIONFS_UNBIND:
      EndSession("unbound");
      break;
    case FUNCTIONFS_ENABLE:
      StartSession();
      break;
    case FUNCTIONFS_DISABLE:
      EndSession("disabled");
      break;
    case FUNCTIONFS_SUSPEND:
      Log("suspended");
      break;
    case FUNCTIONFS_RESUME:
      Log("resumed");
      break;
    case FUNCTIONFS_SETUP: {
      // No request of the interface's own is known: stall it, which is an
      // I/O on ep0 in the direction the request did not ask for.
      std::uint8_t none = 0;
      if ((event[0] & USB_DIR_IN) != 0) {
        [[maybe_unused]] const ssize_t n = ::read(ep0_, &none, 0);
      } else {
        [[maybe_unused]] const ssize_t n = ::write(ep0_, &none, 0);
      }
      break;
    }
    default:
      break;
  }
}

void GadgetConsole::OnCompleted(Operation& op, long long result) {
  if (op.read) {
    const bool current = &op == read_;
    if (current) {
      read_ = nullptr;
    }
    // A packet the host sent is never dropped while a session runs, even
    // when the read was submitted in an earlier one. Out of a session (the
    // console gave up on a block) nothing is taken until the host sets the
    // interface again.
    if (result > 0 && enabled_) {
      const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(result), op.length);
      for (const OutgoingReply& reply : responder_.OnPacket({op.buffer.data(), n})) {
        replies_.push_back(reply);
      }
      if (responder_.LeaveRequested()) {
        // The host left; the device stays configured, so the next host
        // session starts with the next packet.
        Log("host left");
        responder_.StartSession();
      }
    } else if (result < 0) {
      Log("read ended: " + std::string(std::strerror(static_cast<int>(-result))));
    }
    // A read that failed in this session waits for the next ENABLE; one
    // submitted before it failed with the reset that came with it.
    if (current && (result >= 0 || op.generation != generation_)) {
      SubmitRead();
    }
  } else if (op.generation == generation_) {
    writing_ = false;
    if (result < 0) {
      Log("write ended: " + std::string(std::strerror(static_cast<int>(-result))));
    }
  }
  SubmitNextWrite();
}

void GadgetConsole::ReapCompletions() {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t n = ::read(aioFd_, &count, sizeof count);
  io_event events[8];
  timespec zero{0, 0};
  for (;;) {
    const long got = ::syscall(__NR_io_getevents, aio_, 1, 8, events, &zero);
    if (got <= 0) {
      return;
    }
    for (long i = 0; i < got; ++i) {
      auto* op = reinterpret_cast<Operation*>(static_cast<std::uintptr_t>(events[i].data));
      pending_.erase(std::remove(pending_.begin(), pending_.end(), op), pending_.end());
      OnCompleted(*op, events[i].res);
      delete op;
    }
  }
}

void GadgetConsole::Run() {
  for (;;) {
    pollfd fds[3] = {{stopFd_, POLLIN, 0}, {ep0_, POLLIN, 0}, {aioFd_, POLLIN, 0}};
    const int timeout =
        enabled_ && responder_.InBlock() ? static_cast<int>(config_.blockGap.count()) : -1;
    const int ready = ::poll(fds, 3, timeout);
    if (ready < 0) {
      if (errno == EINTR) {
        continue;
      }
      Log(ErrnoText("poll"));
      return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
      std::uint64_t value = 0;
      [[maybe_unused]] const ssize_t n = ::read(stopFd_, &value, sizeof value);
      return;
    }
    if (ready == 0) {
      // The host stopped inside a block. Its remaining data packets must
      // never be read as commands: the session ends, and the console takes
      // nothing until the host sets the interface again.
      EndSession("block abandoned by the host");
      continue;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      std::uint8_t events[4 * kFunctionFsEventSize];
      const ssize_t n = ::read(ep0_, events, sizeof events);
      for (ssize_t at = 0; at + static_cast<ssize_t>(kFunctionFsEventSize) <= n;
           at += kFunctionFsEventSize) {
        OnEvent(events + at);
      }
    } else if ((fds[1].revents & (POLLERR | POLLHUP)) != 0) {
      Log("ep0 closed");
      return;
    }
    if ((fds[2].revents & POLLIN) != 0) {
      ReapCompletions();
    }
  }
}

}  // namespace zq::emu
