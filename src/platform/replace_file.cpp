#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

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
      return false;
    }
    data = data.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

ReplaceResult ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> data,
                          bool durable) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  if (!target.has_filename()) {
    return ReplaceResult::kCreateFailed;
  }
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    return ReplaceResult::kCreateFailed;
  }
  // mkstemp makes the file private; give it the old file's mode, or the usual one.
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);

  const bool written = WriteAll(fd, data) && (!durable || ::fsync(fd) == 0);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(name.data());
    return ReplaceResult::kWriteFailed;
  }
  if (::rename(name.data(), target.c_str()) != 0) {
    ::unlink(name.data());
    return ReplaceResult::kCreateFailed;
  }
  return ReplaceResult::kOk;
}

}  // namespace zq
