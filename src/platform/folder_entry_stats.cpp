#include "platform/folder_entry_stats.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zq {

FolderEntryStats::FolderEntryStats(const std::string& folder)
    : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)), path_(folder) {}

FolderEntryStats::~FolderEntryStats() {
  if (folder_ >= 0) {
    ::close(folder_);
  }
}

std::optional<FolderEntryStats::Stats> FolderEntryStats::Of(const std::string& name) const {
  struct stat info {};
  const int result = folder_ >= 0 ? ::fstatat(folder_, name.c_str(), &info, 0)
                                  : ::stat((path_ + "/" + name).c_str(), &info);
  if (result != 0) {
    return std::nullopt;
  }
  return Stats{static_cast<std::uint64_t>(info.st_size),
               static_cast<std::int64_t>(info.st_mtim.tv_sec)};
}

}  // namespace zq
