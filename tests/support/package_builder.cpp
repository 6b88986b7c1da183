#include "support/package_builder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "support/temp_dir.h"

namespace zq::test {
namespace {

void PutU8(Bytes& out, std::uint8_t value) {
  out.push_back(value);
}

void PutU16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void PutBytes(Bytes& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// `text` in a field of `width` bytes, NUL-padded; a text that fills the field
// has no NUL and a longer one is cut.
void PutField(Bytes& out, std::string_view text, std::size_t width) {
  const std::size_t used = std::min(text.size(), width);
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used));
  out.insert(out.end(), width - used, 0);
}

void PutZeros(Bytes& out, std::size_t count) {
  out.insert(out.end(), count, 0);
}

// A text with its NUL after a one-byte length that counts the NUL.
void PutShortText(Bytes& out, std::string_view text) {
  if (text.size() > 254) {
    throw std::length_error("a text with a one-byte length holds at most 254 bytes");
  }
  PutU8(out, static_cast<std::uint8_t>(text.size() + 1));
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

}  // namespace

Bytes ToBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  // Removed first: truncating a file that holds data makes some file systems
  // flush it, which slows tests that rewrite one file many times.
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + path.string());
  }
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes Cut(std::span<const std::uint8_t> bytes, std::size_t size) {
  return Bytes(bytes.begin(),
               bytes.begin() + static_cast<std::ptrdiff_t>(std::min(size, bytes.size())));
}

Bytes SzddLiteral(std::span<const std::uint8_t> data) {
  Bytes out = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0};
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  for (std::size_t i = 0; i < data.size(); i += 8) {
    PutU8(out, 0xFF);  // eight literals follow
    PutBytes(out, data.subspan(i, std::min<std::size_t>(8, data.size() - i)));
  }
  return out;
}

Bytes SzddRepeated(std::uint8_t byte, std::size_t count, std::optional<std::uint32_t> announced) {
  Bytes out = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0};
  PutU32(out, announced.value_or(static_cast<std::uint32_t>(count)));
  // The window starts 16 bytes before its end; a back-reference names an
  // absolute window position, so each one copies from the byte before it.
  constexpr std::size_t kWindow = 4096;
  std::size_t position = kWindow - 16;
  std::size_t left = count;
  std::size_t flagAt = 0;
  int item = 8;
  while (left > 0) {
    if (item == 8) {
      flagAt = out.size();
      PutU8(out, 0);
      item = 0;
    }
    const bool literal = left == count || left < 3;
    if (literal) {
      out[flagAt] = static_cast<std::uint8_t>(out[flagAt] | (1u << item));
      PutU8(out, byte);
      --left;
      position = (position + 1) % kWindow;
    } else {
      std::size_t length = std::min<std::size_t>(18, left);
      if (left - length > 0 && left - length < 3) {
        length = left - 3;  // leave enough for one more back-reference
      }
      const std::size_t from = (position + kWindow - 1) % kWindow;
      PutU8(out, static_cast<std::uint8_t>(from & 0xFF));
      PutU8(out, static_cast<std::uint8_t>(((from >> 4) & 0xF0) | (length - 3)));
      left -= length;
      position = (position + length) % kWindow;
    }
    ++item;
  }
  return out;
}

bool HasMsCompress() {
  return std::system("command -v mscompress >/dev/null 2>&1") == 0;
}

std::optional<Bytes> MsCompress(std::span<const std::uint8_t> data) {
  if (!HasMsCompress()) {
    return std::nullopt;
  }
  TempDir dir("zq-mscompress");
  const std::filesystem::path plain = dir / "stream.bin";
  WriteBytes(plain, data);
  if (std::system(("mscompress " + Quoted(plain) + " >/dev/null 2>&1").c_str()) != 0) {
    return std::nullopt;
  }
  // The tool writes its output beside the input, under a name of its own
  // ending in '_'.
  for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
    if (item.path() != plain) {
      return ReadBytes(item.path());
    }
  }
  return std::nullopt;
}

ArchiveBuilder::ArchiveBuilder(std::string magic) : magic_(std::move(magic)) {}

ArchiveBuilder ArchiveBuilder::Package() {
  return ArchiveBuilder("ZQKG");
}

ArchiveBuilder ArchiveBuilder::Patch() {
  return ArchiveBuilder("PTCH");
}

ArchiveBuilder& ArchiveBuilder::Title(std::string title) {
  title_ = std::move(title);
  return *this;
}

ArchiveBuilder& ArchiveBuilder::Root(std::string root) {
  root_ = std::move(root);
  return *this;
}

ArchiveBuilder& ArchiveBuilder::Folder(std::string path, std::string name) {
  return Entry('0', std::move(path), std::move(name));
}

ArchiveBuilder& ArchiveBuilder::File(std::string path, std::string name, Bytes data) {
  return Entry('1', std::move(path), std::move(name), std::move(data));
}

ArchiveBuilder& ArchiveBuilder::File(std::string path, std::string name, std::string_view text) {
  return File(std::move(path), std::move(name), ToBytes(text));
}

ArchiveBuilder& ArchiveBuilder::EndMarker() {
  return Entry('2', {}, {});
}

ArchiveBuilder& ArchiveBuilder::Entry(char kind, std::string path, std::string name, Bytes data) {
  items_.push_back({kind, std::move(path), std::move(name), std::move(data), false});
  return *this;
}

ArchiveBuilder& ArchiveBuilder::RawEntry(Bytes encoded) {
  items_.push_back({'\0', {}, {}, std::move(encoded), true});
  return *this;
}

ArchiveBuilder& ArchiveBuilder::Count(std::uint32_t count) {
  count_ = count;
  return *this;
}

ArchiveBuilder& ArchiveBuilder::WithoutFinalEndMarker() {
  finalEndMarker_ = false;
  return *this;
}

ArchiveBuilder& ArchiveBuilder::Trailing(Bytes bytes) {
  trailing_ = std::move(bytes);
  return *this;
}

Bytes ArchiveBuilder::Build() const {
  Bytes out;
  PutField(out, magic_, 4);
  PutZeros(out, 4 + 9 + 2 + 2);
  PutField(out, title_, 64);
  PutZeros(out, 32 + 2 + 1 + 1);
  PutU16(out, static_cast<std::uint16_t>(root_.size() + 1));
  out.insert(out.end(), root_.begin(), root_.end());
  out.push_back(0);

  PutU32(out, 0);
  const std::size_t entries = items_.size() + (finalEndMarker_ ? 1 : 0);
  PutU32(out, count_.value_or(static_cast<std::uint32_t>(entries)));
  for (const Item& item : items_) {
    if (item.raw) {
      PutBytes(out, item.data);
      continue;
    }
    PutU8(out, static_cast<std::uint8_t>(item.kind));
    if (item.kind == '2') {
      continue;
    }
    PutShortText(out, item.path);
    PutShortText(out, item.name);
    if (item.kind == '1') {
      PutU32(out, static_cast<std::uint32_t>(item.data.size()));
      PutBytes(out, item.data);
    }
  }
  if (finalEndMarker_) {
    PutU8(out, '2');
  }
  PutBytes(out, trailing_);
  return out;
}

void ArchiveBuilder::WriteTo(const std::filesystem::path& path) const {
  WriteBytes(path, Build());
}

CommercialBuilder& CommercialBuilder::Title(std::string title) {
  title_ = std::move(title);
  return *this;
}

CommercialBuilder& CommercialBuilder::TargetFolder(std::string folder) {
  targetFolder_ = std::move(folder);
  return *this;
}

CommercialBuilder& CommercialBuilder::Zxe(std::string name, Bytes data) {
  zxeName_ = std::move(name);
  zxeData_ = std::move(data);
  return *this;
}

CommercialBuilder& CommercialBuilder::Zxc(std::string name, Bytes data) {
  zxcName_ = std::move(name);
  zxcData_ = std::move(data);
  return *this;
}

CommercialBuilder& CommercialBuilder::Folder(std::string path) {
  return Entry('0', std::move(path));
}

CommercialBuilder& CommercialBuilder::File(std::string folder, std::string name, Bytes data) {
  return Entry('1', std::move(folder), std::move(name), std::move(data));
}

CommercialBuilder& CommercialBuilder::EndMarker() {
  return Entry('2', {});
}

CommercialBuilder& CommercialBuilder::Entry(char kind, std::string path, std::string name,
                                            Bytes data) {
  items_.push_back({kind, std::move(path), std::move(name), std::move(data)});
  return *this;
}

CommercialBuilder& CommercialBuilder::Coding(StreamCoding coding) {
  coding_ = coding;
  return *this;
}

CommercialBuilder& CommercialBuilder::EntryCount(std::uint32_t count) {
  entryCount_ = count;
  return *this;
}

CommercialBuilder& CommercialBuilder::Stream(Bytes stream) {
  stream_ = std::move(stream);
  return *this;
}

Bytes CommercialBuilder::PlainStream() const {
  Bytes out;
  for (const Item& item : items_) {
    PutU8(out, static_cast<std::uint8_t>(item.kind));
    if (item.kind == '2') {
      continue;
    }
    PutShortText(out, item.path);
    if (item.kind == '1') {
      PutShortText(out, item.name);
      PutU32(out, static_cast<std::uint32_t>(item.data.size()));
      PutBytes(out, item.data);
    }
  }
  return out;
}

Bytes CommercialBuilder::Build() const {
  Bytes stream;
  if (stream_) {
    stream = *stream_;
  } else {
    const Bytes plain = PlainStream();
    switch (coding_) {
      case StreamCoding::kPlain:
        stream = plain;
        break;
      case StreamCoding::kSzddLiteral:
        stream = SzddLiteral(plain);
        break;
      case StreamCoding::kMsCompress: {
        std::optional<Bytes> packed = MsCompress(plain);
        if (!packed) {
          throw std::runtime_error("the mscompress tool is missing or failed");
        }
        stream = std::move(*packed);
        break;
      }
    }
  }

  Bytes out;
  PutField(out, "ZPK ", 4);
  PutU32(out, 0);
  PutField(out, title_, 80);
  PutZeros(out, 1 + 16 + 4);
  PutField(out, targetFolder_, 256);
  PutU32(out, entryCount_.value_or(static_cast<std::uint32_t>(items_.size())));
  PutU32(out, static_cast<std::uint32_t>(stream.size()));
  const auto putProgram = [&out](std::string_view magic, std::string_view name, const Bytes& data) {
    PutField(out, magic, 4);
    PutField(out, name, 12);
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    PutBytes(out, data);
  };
  putProgram("ZXE ", zxeName_, zxeData_);
  putProgram("ZXC ", zxcName_, zxcData_);
  PutBytes(out, stream);
  return out;
}

void CommercialBuilder::WriteTo(const std::filesystem::path& path) const {
  WriteBytes(path, Build());
}

}  // namespace zq::test
