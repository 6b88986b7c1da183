#include <cstdio>
#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"

namespace zq::cli {

namespace {

std::string Hex(const std::array<std::uint8_t, 24>& bytes) {
  std::string text;
  char cell[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(cell, sizeof cell, "%02x", bytes[i]);
    text += (i == 0 ? "" : " ") + std::string(cell);
  }
  return text;
}

void PrintSize(std::ostream& out, const char* label, std::uint32_t bytes) {
  out << label << bytes << " bytes (" << bytes / 1024 << " KB)\n";
}

}  // namespace

int RunInfo(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (!words.empty()) {
    return context.UsageError(self, "no arguments expected");
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  const LinkSession& link = device->Link();
  std::ostream& out = context.Out();
  out << "identification: " << Hex(link.Identification()) << '\n';
  out << "firmware:       " << unsigned{link.FirmwareMajor()} << '.'
      << unsigned{link.FirmwareMinor()} << '\n';
  out << "block size:     " << link.BlockSize() << " bytes\n";
  out.flush();
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  if (!device->ShowDiskInfo(total, used, free)) {
    return kExitFailed;
  }
  PrintSize(out, "total:          ", total);
  PrintSize(out, "used:           ", used);
  PrintSize(out, "free:           ", free);
  return kExitSuccess;
}

}  // namespace zq::cli
