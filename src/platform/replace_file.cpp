#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

namespace zq {
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data = data.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

// Creates a new, empty temporary file beside `target`, with the mode the
// user's umask gives a new file (0666 & ~umask, or what the folder's default
// access list says); -1 when none can be made.
int CreateTemporary(const std::filesystem::path& folder, const std::string& targetName,
                    std::string& name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(6, 'x');
    for (char& c : suffix) {
      c = kLetters[random() % (sizeof kLetters - 1)];
    }
    name = (folder / ("." + targetName + "." + suffix)).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

// Removes the temporary of a failed replacement; errno keeps the failure's reason.
void RemoveKeepingErrno(const std::string& name) {
  const int reason = errno;
  ::unlink(name.c_str());
  errno = reason;
}

}  // namespace

ReplaceResult ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> data,
                          bool durable) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  if (!target.has_filename()) {
    return ReplaceResult::kCreateFailed;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // A file the user cannot write is refused as a truncating open would
  // refuse it: renaming over it would replace a file made read-only.
  if (exists && S_ISREG(old.st_mode) &&
      ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    errno = EACCES;
    return ReplaceResult::kCreateFailed;
  }
  std::string name;
  const int fd = CreateTemporary(folder, target.filename().string(), name);
  if (fd < 0) {
    return ReplaceResult::kCreateFailed;
  }
  if (exists) {
    ::fchmod(fd, old.st_mode & 07777);  // an existing file keeps its mode
  }

  const bool written = WriteAll(fd, data) && (!durable || ::fsync(fd) == 0);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    RemoveKeepingErrno(name);
    return ReplaceResult::kWriteFailed;
  }
  if (::rename(name.c_str(), target.c_str()) != 0) {
    RemoveKeepingErrno(name);
    return ReplaceResult::kCreateFailed;
  }
  return ReplaceResult::kOk;
}

}  // namespace zq
