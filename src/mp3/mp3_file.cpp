#include "mp3/mp3_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "platform/replace_file.h"

namespace zq {

namespace {

// A file opened for reading, closed when the scope ends.
class ReadOnlyFile {
 public:
  // Non-blocking, so that opening a pipe that has no writer does not hang;
  // anything but a regular file is refused right after.
  explicit ReadOnlyFile(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  int Fd() const { return fd_; }

  // Reads up to `out.size()` bytes at `offset`; fewer when the file ends
  // first. Returns the count read, or -1 when a read fails.
  std::int64_t ReadAt(std::int64_t offset, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t got = ::pread(fd_, out.data() + done, out.size() - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
      if (got < 0) {
        if (errno == EINTR) {
          continue;
        }
        return -1;
      }
      if (got == 0) {
        break;
      }
      done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
  }

 private:
  int fd_;
};

bool StartsWith(std::span<const std::uint8_t> bytes, const char (&marker)[4]) {
  return bytes.size() >= 3 && std::memcmp(bytes.data(), marker, 3) == 0;
}

}  // namespace

void CMp3File::ClearMp3() {
  flags_ = 0;
  audioStart_ = 0;
  tag_.Clear();
  v2Header_ = Id3v2Header();
  std::vector<std::uint8_t>().swap(v2Bytes_);
  std::vector<std::uint8_t>().swap(audio_);
}

Mp3Status CMp3File::ReadMp3(const std::string& path) {
  ClearMp3();
  const ReadOnlyFile file(path);
  if (file.Fd() < 0) {
    return mp3status::kOpenFailed;
  }
  struct stat info {};
  if (::fstat(file.Fd(), &info) != 0) {
    return mp3status::kSizeUnknown;
  }
  // A folder or a device is not a file that can be opened for reading.
  if (!S_ISREG(info.st_mode)) {
    return mp3status::kOpenFailed;
  }
  const auto realSize = static_cast<std::uint64_t>(info.st_size);
  if ((realSize >> 32) != 0) {
    return mp3status::kTooLarge;
  }
  // Sizes are compared as signed 32-bit numbers: 2 GiB and more read negative.
  const auto size = static_cast<std::int32_t>(static_cast<std::uint32_t>(realSize));

  // ID3v2 tag: only its length matters. A body declared past the end of the
  // file is a short read, not a failure; the length stays as declared, so
  // no audio remains and the file ends with -4 below.
  std::int64_t v2Length = 0;
  auto& header = v2Header_.Bytes();
  if (file.ReadAt(0, std::span(header).first(3)) < 0) {
    return mp3status::kReadFailed;
  }
  if (StartsWith(header, "ID3")) {
    if (file.ReadAt(3, std::span(header).subspan(3)) < 0) {
      return mp3status::kReadFailed;
    }
    const std::int64_t following = v2Header_.FollowingSize();
    const std::int64_t present =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(realSize) - 10);
    try {
      v2Bytes_.resize(static_cast<std::size_t>(std::min(following, present)));
    } catch (const std::bad_alloc&) {
      return mp3status::kReadFailed;
    }
    const std::int64_t got = file.ReadAt(10, v2Bytes_);
    if (got < 0) {
      return mp3status::kReadFailed;
    }
    v2Bytes_.resize(static_cast<std::size_t>(got));
    v2Length = static_cast<std::int64_t>(Id3v2Header::kSize) + following;
  } else {
    header.fill(0);
  }
  if (v2Length > 0) {
    SetFlag(kId3v2Flag);
  }
  audioStart_ = static_cast<std::int32_t>(v2Length);

  // ID3v1 tag.
  if (size < static_cast<std::int32_t>(Id3v1Tag::kSize)) {
    return mp3status::kTooShort;
  }
  const std::int64_t v1Offset = size - static_cast<std::int64_t>(Id3v1Tag::kSize);
  std::array<std::uint8_t, 3> marker{};
  if (file.ReadAt(v1Offset, marker) < 0) {
    return mp3status::kReadFailed;
  }
  std::int64_t v1Length = 0;
  if (StartsWith(marker, "TAG")) {
    if (file.ReadAt(v1Offset + 3, std::span(tag_.Bytes()).subspan(3)) != 125) {
      return mp3status::kReadFailed;
    }
    v1Length = static_cast<std::int64_t>(Id3v1Tag::kSize);
    SetFlag(kId3v1Flag);
  }

  // Audio: whatever lies between the tags.
  const std::int64_t audioLength = size - v2Length - v1Length;
  if (audioLength <= 0) {
    return mp3status::kNoAudio;
  }
  try {
    audio_.resize(static_cast<std::size_t>(audioLength));
  } catch (const std::bad_alloc&) {
    return mp3status::kReadFailed;
  }
  // The size was taken before reading; a file that shrank meanwhile is a
  // failed read rather than audio padded with zeros.
  if (file.ReadAt(v2Length, audio_) != audioLength) {
    return mp3status::kReadFailed;
  }
  return mp3status::kOk;
}

void CMp3File::SetV1Field(V1Field field, std::string_view value) {
  if (field == V1Field::kMarker) {
    tag_.WriteMarker();
    return;
  }
  const std::span<std::uint8_t> bytes = tag_.MutableField(field);
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
  const std::size_t count = std::min(bytes.size(), value.size());
  std::memcpy(bytes.data(), value.data(), count);
}

void CMp3File::SetV1Genre(std::int32_t genre) {
  tag_.SetGenreByte(static_cast<std::uint8_t>(genre & 0xFF));
}

std::uint32_t CMp3File::Mp3ByteCount() const {
  const auto tagBytes = HasFlag(kId3v1Flag) ? Id3v1Tag::kSize : 0;
  return static_cast<std::uint32_t>(audio_.size() + tagBytes);
}

std::size_t CMp3File::SerializeMp3(std::span<std::uint8_t> buffer) const {
  const std::size_t count = Mp3ByteCount();
  if (buffer.size() < count) {
    return 0;
  }
  std::copy(audio_.begin(), audio_.end(), buffer.begin());
  if (HasFlag(kId3v1Flag)) {
    const auto& record = tag_.Bytes();
    std::copy(record.begin(), record.end(),
              buffer.begin() + static_cast<std::ptrdiff_t>(audio_.size()));
  }
  return count;
}

Mp3Status CMp3File::WriteMp3(const std::string& path) const {
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(Mp3ByteCount());
  } catch (const std::bad_alloc&) {
    return mp3status::kWriteFailed;
  }
  SerializeMp3(bytes);
  return ReplaceFile(path, bytes) == ReplaceResult::kOk ? mp3status::kOk : mp3status::kWriteFailed;
}

}  // namespace zq
