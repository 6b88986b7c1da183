#include "platform/lz_expand.h"

#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace zq {
namespace {

constexpr std::uint8_t kSzddSignature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
// Signature, method byte, missing character, 32-bit length.
constexpr std::size_t kSzddHeaderSize = 14;
// One flag byte decides eight items; a back-reference takes 2 bytes and
// gives at most 18.
constexpr std::uint64_t kGroupBytes = 17;
constexpr std::uint64_t kGroupMostOut = 8 * 18;

// libmspack works on "files" named by text; this system serves two files in
// memory: "in" reads the compressed bytes, "out" collects the expanded ones.
constexpr char kInputName[] = "in";
constexpr char kOutputName[] = "out";

struct MemoryFile {
  std::span<const std::uint8_t> input;  // for the input file
  std::vector<std::uint8_t>* output;    // for the output file
  std::size_t limit;                    // output bytes kept at most
  std::size_t position;
};

// Standard layout, `base` first: libmspack hands back &base, from which the
// whole object is recovered.
struct MemorySystem {
  mspack_system base;
  MemoryFile input;
  MemoryFile output;
};

MemoryFile* AsMemoryFile(mspack_file* file) {
  return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* OpenFile(mspack_system* self, const char* name, int mode) {
  auto* system = reinterpret_cast<MemorySystem*>(self);
  MemoryFile* file = nullptr;
  if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, kInputName) == 0) {
    file = &system->input;
  } else if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, kOutputName) == 0) {
    file = &system->output;
    file->output->clear();
  } else {
    return nullptr;
  }
  file->position = 0;
  return reinterpret_cast<mspack_file*>(file);
}

void CloseFile(mspack_file*) {}

int ReadFile(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile* file = AsMemoryFile(handle);
  if (bytes < 0 || file->output != nullptr) {
    return -1;
  }
  const std::size_t left = file->input.size() - file->position;
  const std::size_t count = std::min(left, static_cast<std::size_t>(bytes));
  if (count > 0) {
    std::memcpy(buffer, file->input.data() + file->position, count);
  }
  file->position += count;
  return static_cast<int>(count);
}

int WriteFile(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile* file = AsMemoryFile(handle);
  if (bytes < 0 || file->output == nullptr) {
    return -1;
  }
  const auto* source = static_cast<const std::uint8_t*>(buffer);
  const std::size_t room = file->limit - std::min(file->limit, file->output->size());
  const std::size_t kept = std::min(room, static_cast<std::size_t>(bytes));
  try {
    file->output->insert(file->output->end(), source, source + kept);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return bytes;  // what goes beyond the announced length is dropped, not an error
}

int SeekFile(mspack_file* handle, off_t offset, int mode) {
  MemoryFile* file = AsMemoryFile(handle);
  const std::size_t size = file->output ? file->output->size() : file->input.size();
  off_t base = 0;
  switch (mode) {
    case MSPACK_SYS_SEEK_START:
      base = 0;
      break;
    case MSPACK_SYS_SEEK_CUR:
      base = static_cast<off_t>(file->position);
      break;
    case MSPACK_SYS_SEEK_END:
      base = static_cast<off_t>(size);
      break;
    default:
      return -1;
  }
  const off_t target = base + offset;
  if (target < 0 || static_cast<std::size_t>(target) > size) {
    return -1;
  }
  file->position = static_cast<std::size_t>(target);
  return 0;
}

off_t TellFile(mspack_file* handle) {
  return static_cast<off_t>(AsMemoryFile(handle)->position);
}

void Message(mspack_file*, const char*, ...) {}

void* Allocate(mspack_system*, std::size_t bytes) {
  return std::malloc(bytes);
}

void Free(void* pointer) {
  std::free(pointer);
}

void Copy(void* source, void* destination, std::size_t bytes) {
  std::memmove(destination, source, bytes);
}

struct DecompressorDeleter {
  void operator()(msszdd_decompressor* decompressor) const {
    mspack_destroy_szdd_decompressor(decompressor);
  }
};

}  // namespace

bool IsSzdd(std::span<const std::uint8_t> data) {
  return data.size() >= sizeof kSzddSignature &&
         std::equal(std::begin(kSzddSignature), std::end(kSzddSignature), data.begin());
}

std::uint64_t SzddExpansionLimit(std::size_t streamBytes) {
  const std::uint64_t body = streamBytes > kSzddHeaderSize ? streamBytes - kSzddHeaderSize : 0;
  // A group cut short still gives at most a whole group's worth.
  return (body + kGroupBytes - 1) / kGroupBytes * kGroupMostOut;
}

std::optional<std::vector<std::uint8_t>> LzExpand(std::span<const std::uint8_t> data,
                                                  std::size_t maxExpanded) {
  if (!IsSzdd(data)) {
    return std::vector<std::uint8_t>(data.begin(), data.end());
  }

  std::vector<std::uint8_t> expanded;
  MemorySystem system{};
  system.base.open = OpenFile;
  system.base.close = CloseFile;
  system.base.read = ReadFile;
  system.base.write = WriteFile;
  system.base.seek = SeekFile;
  system.base.tell = TellFile;
  system.base.message = Message;
  system.base.alloc = Allocate;
  system.base.free = Free;
  system.base.copy = Copy;
  system.input = MemoryFile{data, nullptr, 0, 0};
  system.output = MemoryFile{{}, &expanded, 0, 0};

  std::unique_ptr<msszdd_decompressor, DecompressorDeleter> decompressor(
      mspack_create_szdd_decompressor(&system.base));
  if (!decompressor) {
    return std::nullopt;
  }
  msszddd_header* header = decompressor->open(decompressor.get(), kInputName);
  if (header == nullptr) {
    return std::nullopt;
  }
  const off_t announced = header->length;
  if (announced < 0 || static_cast<std::uint64_t>(announced) > maxExpanded ||
      static_cast<std::uint64_t>(announced) > SzddExpansionLimit(data.size())) {
    decompressor->close(decompressor.get(), header);
    return std::nullopt;
  }
  // The output never grows past the announced length, whatever the stream
  // holds, and is allocated once.
  system.output.limit = static_cast<std::size_t>(announced);
  try {
    expanded.reserve(system.output.limit);
  } catch (const std::bad_alloc&) {
    decompressor->close(decompressor.get(), header);
    return std::nullopt;
  }
  const int result = decompressor->extract(decompressor.get(), header, kOutputName);
  decompressor->close(decompressor.get(), header);
  // libmspack reports success on a stream cut short: the length tells.
  if (result != MSPACK_ERR_OK || expanded.size() != static_cast<std::size_t>(announced)) {
    return std::nullopt;
  }
  return expanded;
}

}  // namespace zq
