#pragma once

#include <cstdint>
#include <string>

#include "link/status.h"

namespace zq {

// The families of link calls; each names a few statuses with their own
// message, every other failure shows "unknown error occurred".
enum class StatusFamily {
  Connect,
  Disconnect,
  DiskSpace,
  FileTransfer,   // a single file, either direction
  CopyListing,    // listing a console folder inside a copy
  FolderExists,   // create folder: the existence test
  CreateCommand,  // create folder: the create command
  Remove,         // remove file, remove folder
  Format,
};

// Whether the family has a message of its own for this status.
bool FamilyNames(StatusFamily family, Status status);

// The message a failing status of this family shows.
std::string StatusMessage(StatusFamily family, Status status);

// "%s\n%s : %s": a message, the label ("file name" or "folder name") and the
// offending name or path.
std::string NamedError(const std::string& message, const std::string& label,
                       const std::string& name);

// A text with its one "%s" replaced by `value`.
std::string FillText(const std::string& pattern, const std::string& value);

// The status bar's disk pane: each byte count shown in whole KB (rounded down).
std::string DiskText(std::uint32_t totalBytes, std::uint32_t usedBytes, std::uint32_t freeBytes);

// The progress window's byte counter, "%d / %d Bytes".
std::string ByteCounter(std::uint32_t done, std::uint32_t total);

}  // namespace zq
