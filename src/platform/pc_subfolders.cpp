#include "platform/pc_subfolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <cstring>
#include <memory>

namespace zq {

namespace {

// File systems whose folders count two links plus one per subfolder.
bool CountsSubfolderLinks(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) {
    return false;
  }
  constexpr long kExt = 0xEF53;
  constexpr long kTmpfs = 0x01021994;
  constexpr long kXfs = 0x58465342;
  const auto type = static_cast<long>(info.f_type);
  return type == kExt || type == kTmpfs || type == kXfs;
}

bool IsDotOrDotDot(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

bool HasSubfolder(const std::string& path) {
  struct stat folder {};
  if (::stat(path.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    return false;
  }
  if (folder.st_nlink > 2 && CountsSubfolderLinks(path)) {
    return true;
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(path.c_str()), &::closedir);
  if (!listing) {
    return false;
  }
  const std::string prefix = path.empty() || path.back() == '/' ? path : path + '/';
  while (const dirent* entry = ::readdir(listing.get())) {
    if (IsDotOrDotDot(entry->d_name)) {
      continue;
    }
    if (entry->d_type == DT_DIR) {
      return true;
    }
    // A link (to a folder or not), or a file system that does not tell.
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat target {};
      if (::stat((prefix + entry->d_name).c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace zq
