// LinkSession: the file-system commands on the console's card.
#include <algorithm>
#include <new>

#include "link/byte_order.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "platform/card_text.h"

namespace zq {
namespace {

// A console that lists without end must not exhaust the PC's memory.
constexpr std::size_t kMaxListedEntries = 65536;

}  // namespace

Status LinkSession::ListFolder(EntryList& entries, std::string_view folder, ListMode mode) {
  entries.clear();
  const bool full = mode == ListMode::Full;
  const std::uint8_t entryCode = full ? wire::reply::kFullEntry : wire::reply::kNameEntry;
  const std::uint8_t endCode = full ? wire::reply::kFullEnd : wire::reply::kNamesEnd;

  Status s = SendCommand(full ? wire::cmd::kListFull : wire::cmd::kListNames, folder);
  while (s == status::kOk) {
    s = ReadReply(40);
    if (s != status::kOk) {
      break;
    }
    const std::uint8_t code = packet_[0];
    if (code == endCode) {
      return status::kOk;
    }
    if (code != entryCode) {
      s = code == wire::reply::kNotFormatted ? status::kUnformatted
          : code == wire::reply::kFailed     ? status::kConsoleFailed
                                             : status::kCommError;
      break;
    }
    // The name length comes from the console: it must fit the reply together
    // with the fields that follow it.
    const std::size_t n = packet_[2];
    const std::size_t tail = full ? 4 + 5 * 2 : 0;
    if (wire::kEntryNameOffset + n + tail > kPacketSize || entries.size() >= kMaxListedEntries) {
      s = status::kCommError;
      break;
    }
    RemoteEntry entry;
    entry.type = packet_[1];
    const auto nameBegin = packet_.begin() + wire::kEntryNameOffset;
    // Cut to 12 bytes, and at a NUL as the console's C string would be.
    const auto nameEnd = std::find(nameBegin, nameBegin + std::min(n, wire::kMaxListedName), 0);
    entry.name.assign(nameBegin, nameEnd);
    entry.nameLength = static_cast<std::uint8_t>(entry.name.size());
    if (full) {
      const std::span<const std::uint8_t> fields(packet_.data() + wire::kEntryNameOffset + n, tail);
      entry.size = ReadLe32(fields, 0);
      entry.year = ReadLe16(fields, 4);
      entry.month = ReadLe16(fields, 6);
      entry.day = ReadLe16(fields, 8);
      entry.hour = ReadLe16(fields, 10);
      entry.minute = ReadLe16(fields, 12);
    }
    try {
      entries.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
      s = status::kNoMemory;
      break;
    }
    s = Step(SendCode(wire::cmd::kGoOn));
  }
  entries.clear();  // a listing that fails half-way returns nothing
  return s;
}

Status LinkSession::EntryExists(std::string_view folder, std::string_view name, bool wantFolder,
                                bool& found) {
  found = false;
  EntryList entries;
  if (const Status s = ListFolder(entries, folder, ListMode::Full); s != status::kOk) {
    return s;
  }
  const std::uint8_t wantedType = wantFolder ? 1 : 0;
  found = std::any_of(entries.begin(), entries.end(), [&](const RemoteEntry& e) {
    return e.type == wantedType && SameCardNameIgnoringCase(e.name, name);
  });
  return status::kOk;
}

Status LinkSession::QueryDiskInfo(std::uint32_t& total, std::uint32_t& used, std::uint32_t& free) {
  std::array<std::uint8_t, 12> info{};
  if (const Status s = Query(6, info); s != status::kOk) {
    return s;
  }
  total = ReadLe32(info, 0);
  used = ReadLe32(info, 4);
  free = ReadLe32(info, 8);
  return status::kOk;
}

Status LinkSession::CreateFolder(std::string_view path) {
  return SimpleCommand(wire::cmd::kCreateFolder, path, 60, wire::reply::kFolderCreated, true);
}

Status LinkSession::RemoveFolder(std::string_view path) {
  std::string withSeparator(path);
  withSeparator.push_back('\\');
  return SimpleCommand(wire::cmd::kRemoveFolder, withSeparator, 120, wire::reply::kFolderRemoved,
                       false);
}

Status LinkSession::RemoveFile(std::string_view path) {
  return SimpleCommand(wire::cmd::kRemoveFile, path, 120, wire::reply::kFileRemoved, false);
}

Status LinkSession::FormatCard(int timeoutSeconds) {
  if (const Status s = Step(SendCode(wire::cmd::kFormat)); s != status::kOk) {
    return s;
  }
  // The first reply only says formatting started: a refusal here is unexpected.
  if (const Status s = ReadReply(40); s != status::kOk) {
    return s;
  }
  if (packet_[0] != wire::reply::kFormatStarted) {
    return status::kCommError;
  }
  return Expect(timeoutSeconds, wire::reply::kFormatDone);
}

}  // namespace zq
