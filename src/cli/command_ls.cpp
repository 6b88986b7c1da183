#include <cstdio>
#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_path.h"
#include "cli/display_width.h"
#include "cli/exit_status.h"
#include "operations/status_messages.h"
#include "platform/codepage.h"

namespace zq::cli {

namespace {

// "DIR   GAME                 0  2026-12-08 18:43"
std::string Row(const RemoteEntry& entry) {
  char date[32];
  std::snprintf(date, sizeof date, "%04u-%02u-%02u %02u:%02u", unsigned{entry.year},
                unsigned{entry.month}, unsigned{entry.day}, unsigned{entry.hour},
                unsigned{entry.minute});
  std::string name = Cp949ToUtf8(entry.name);
  char size[16];
  std::snprintf(size, sizeof size, "%10u", unsigned{entry.size});
  std::string row = entry.IsFolder() ? "DIR   " : "FILE  ";
  row += name;
  // Pad to the longest card name (12 bytes, as wide as 12 columns: a
  // double-byte character takes two bytes and two columns).
  const std::size_t shown = DisplayWidth(name);
  row += std::string(shown < 12 ? 12 - shown : 0, ' ');
  return row + "  " + size + "  " + date;
}

}  // namespace

int RunLs(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.size() > 1) {
    return context.UsageError(self, "at most one console folder expected");
  }
  const auto folder = ToConsoleFolder(words.empty() ? std::string() : words[0]);
  if (!folder) {
    return context.UsageError(
        self, "not a console folder: " + (words.empty() ? std::string() : words.back()));
  }
  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  EntryList entries;
  const Status status = device->Link().ListFolder(entries, *folder, ListMode::Full);
  if (status != status::kOk) {
    // The file list's own messages for a folder it cannot show, the same
    // codes as a listing inside a copy.
    context.Ui().ShowMessage(StatusMessage(StatusFamily::CopyListing, status));
    return kExitFailed;
  }
  for (const RemoteEntry& entry : entries) {
    context.Out() << Row(entry) << '\n';
  }
  return kExitSuccess;
}

}  // namespace zq::cli
