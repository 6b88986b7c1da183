// The MP3 reader on any bytes: a status of its set; on success the pieces
// add up to the file, and what WriteMp3 writes reads back the same. The
// ID3v2 reader of "Copy ver.2 info" reads the same bytes and must come back. At start
// the statuses no fuzzed bytes can give (a missing file, a folder, sizes of
// 2 GiB and 4 GiB, a write into a missing folder) are checked once.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "memory_file.h"
#include "mp3/basket_names.h"
#include "mp3/id3v2_copy.h"
#include "mp3/mp3_file.h"

namespace {

// Where WriteMp3 writes: memory-backed where the machine has /dev/shm.
std::filesystem::path Scratch() {
  const std::filesystem::path shm = "/dev/shm";
  std::error_code error;
  const std::filesystem::path base =
      std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
  return base / ("zq-fuzz-mp3-" + std::to_string(getpid()));
}

zq::Mp3Status ReadSized(std::uint64_t size) {
  zq::fuzz::MemoryFile file;
  file.Resize(size);
  zq::CMp3File mp3;
  return mp3.ReadMp3(file.Path());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zq::CMp3File mp3;
  FUZZ_CHECK(mp3.ReadMp3("/nonexistent/zq-fuzz.mp3") == zq::mp3status::kOpenFailed);
  FUZZ_CHECK(mp3.ReadMp3("/") == zq::mp3status::kOpenFailed);
  FUZZ_CHECK(ReadSized(3ull << 30) == zq::mp3status::kTooShort);
  FUZZ_CHECK(ReadSized((4ull << 30) + 200) == zq::mp3status::kTooLarge);
  FUZZ_CHECK(mp3.WriteMp3("/nonexistent/folder/zq-fuzz.mp3") == zq::mp3status::kWriteFailed);
  std::filesystem::create_directories(Scratch());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zq::fuzz::MemoryFile file;
  static const std::string copy = (Scratch() / "copy.mp3").string();
  file.Set(std::span<const std::uint8_t>(data, size));
  zq::CMp3File mp3;
  const zq::Mp3Status status = mp3.ReadMp3(file.Path());
  if (const auto texts = zq::ReadId3v2Texts(file.Path())) {
    // Whatever the tag holds fits the version-1 fields once put there.
    zq::FieldValues fields;
    zq::PutVersion2Texts(*texts, fields);
    FUZZ_CHECK(zq::ToCp949(fields.title).size() <= 30 && zq::ToCp949(fields.year).size() <= 4);
    FUZZ_CHECK(fields.genreSelection >= -1 && fields.genreSelection < 80);
  }
  FUZZ_CHECK(status == zq::mp3status::kOk || status == zq::mp3status::kNoAudio ||
             status == zq::mp3status::kTooShort);
  FUZZ_CHECK((status == zq::mp3status::kTooShort) == (size < zq::Id3v1Tag::kSize));
  // What is read is bounded by the file, never by the sizes it declares.
  FUZZ_CHECK(mp3.Audio().size() + mp3.V2Bytes().size() <= size);
  if (status != zq::mp3status::kOk) {
    return 0;
  }
  const bool v1 = mp3.HasFlag(zq::CMp3File::kId3v1Flag);
  const std::size_t tagBytes = v1 ? zq::Id3v1Tag::kSize : 0;
  FUZZ_CHECK(static_cast<std::size_t>(mp3.AudioStart()) + mp3.Audio().size() + tagBytes == size);
  FUZZ_CHECK(mp3.HasFlag(zq::CMp3File::kId3v2Flag) == (mp3.AudioStart() > 0));
  FUZZ_CHECK(!v1 || std::memcmp(data + size - zq::Id3v1Tag::kSize, "TAG", 3) == 0);
  FUZZ_CHECK(std::equal(mp3.Audio().begin(), mp3.Audio().end(), data + mp3.AudioStart()));

  std::vector<std::uint8_t> serialised(mp3.Mp3ByteCount());
  FUZZ_CHECK(mp3.SerializeMp3(serialised) == serialised.size());
  if (!serialised.empty()) {
    std::vector<std::uint8_t> small(serialised.size() - 1);
    FUZZ_CHECK(mp3.SerializeMp3(small) == 0);  // a buffer too short takes nothing
  }
  FUZZ_CHECK(serialised.size() == mp3.Audio().size() + tagBytes);
  // Read back: the same audio and tag, unless the audio itself begins like
  // an ID3v2 tag or is too short to stand alone.
  const auto audio = mp3.Audio();
  if ((audio.size() >= 3 && std::memcmp(audio.data(), "ID3", 3) == 0) ||
      serialised.size() < zq::Id3v1Tag::kSize) {
    return 0;
  }
  FUZZ_CHECK(mp3.WriteMp3(copy) == zq::mp3status::kOk);
  zq::CMp3File again;
  FUZZ_CHECK(again.ReadMp3(copy) == zq::mp3status::kOk);
  FUZZ_CHECK(again.HasFlag(zq::CMp3File::kId3v1Flag) == v1);
  FUZZ_CHECK(!again.HasFlag(zq::CMp3File::kId3v2Flag));
  FUZZ_CHECK(std::equal(audio.begin(), audio.end(), again.Audio().begin(), again.Audio().end()));
  FUZZ_CHECK(again.Tag().Bytes() == mp3.Tag().Bytes());
  return 0;
}
