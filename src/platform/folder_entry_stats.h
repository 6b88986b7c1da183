#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zq {

// Size and last-write time of the entries of one PC folder, each looked up
// by its name relative to the folder: the folder's path is resolved once,
// not once per entry, which counts in a folder of many thousand files.
class FolderEntryStats {
 public:
  struct Stats {
    std::uint64_t size = 0;
    std::int64_t lastWriteSeconds = 0;  // since 1970 UTC
  };

  explicit FolderEntryStats(const std::string& folder);
  ~FolderEntryStats();
  FolderEntryStats(const FolderEntryStats&) = delete;
  FolderEntryStats& operator=(const FolderEntryStats&) = delete;

  // Links followed; nullopt when the entry cannot be read.
  std::optional<Stats> Of(const std::string& name) const;

 private:
  int folder_ = -1;
  std::string path_;
};

}  // namespace zq
