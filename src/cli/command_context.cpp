#include "cli/command_context.h"

#include <cstring>
#include <ostream>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/usb_report.h"
#include "operations/console_hints.h"
#include "platform/transport_choice.h"
#include "platform/usb/usb_listing.h"
#include "platform/usb/usb_transport.h"

namespace zq::cli {

CommandContext::CommandContext(TerminalUserInterface& ui, std::ostream& out, std::ostream& err,
                               bool verbose)
    : ui_(ui), out_(out), err_(err), verbose_(verbose) {}

CommandContext::~CommandContext() {
  if (device_ && connected_) {
    device_->DisconnectDevice();
  }
}

DeviceOperations* CommandContext::Device() {
  if (!device_) {
    // The link's diagnostic lines would mix with the command's own output,
    // which scripts parse; they are printed only when asked for.
    ConsoleTransport transport =
        MakeConsoleTransport([this](const std::string& line) { out_ << line << std::flush; });
    transport.transport->SetDiagnostics(verbose_);
    link_ = std::make_unique<LinkSession>(transport.transport);
    device_ = std::make_unique<DeviceOperations>(*link_, ui_);
    link_->Reset();
    connected_ = device_->ConnectDevice();
    if (!connected_ && transport.usb) {
      if (!transport.usb->Denied().empty()) {
        err_ << UsbPermissionHint(transport.usb->Denied());
      }
      // Each device that could be the console if its ID were adopted.
      std::string error;
      for (const UsbCandidate& device : ListUsbCandidates(ConsoleUsbIds(), error)) {
        if (!device.listed) {
          err_ << "zq61-cli: " << AdoptionHint(device);
        }
      }
      err_.flush();
    }
  }
  return connected_ ? device_.get() : nullptr;
}

int CommandContext::TransferExit(bool succeeded) {
  if (!succeeded && device_ && device_->LastPcFailure()) {
    const DeviceOperations::PcFailure& failure = *device_->LastPcFailure();
    err_ << "file name : " << failure.path;
    if (failure.error != 0) {
      err_ << " (" << std::strerror(failure.error) << ')';
    }
    err_ << '\n' << std::flush;
  }
  return ExitFor(succeeded);
}

std::filesystem::path CommandContext::ProgramFolder() const {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable.parent_path();
}

int CommandContext::UsageError(const Command& command, const std::string& problem) {
  err_ << "zq61-cli " << command.name << ": " << problem << "\n\n" << CommandUsage(command);
  err_.flush();
  return kExitUsage;
}

}  // namespace zq::cli
