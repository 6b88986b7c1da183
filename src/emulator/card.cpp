#include "emulator/card.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <system_error>

#include "emulator/card_names.h"
#include "platform/codepage.h"
#include "platform/replace_file.h"

namespace zq::emu {
namespace fs = std::filesystem;

namespace {

std::uint64_t Clusters(std::uint64_t bytes) {
  return (bytes + Card::kCluster - 1) / Card::kCluster * Card::kCluster;
}

// The card name of a host entry, or nullopt when a card cannot hold it.
std::optional<std::string> CardName(const fs::path& host) {
  std::optional<std::string> name = Utf8ToCp949(host.filename().string());
  if (!name || !IsShortName(*name)) {
    return std::nullopt;
  }
  return name;
}

// Plain files and folders only: links and devices stay invisible.
std::optional<bool> IsCardFolder(const fs::directory_entry& entry) {
  std::error_code ec;
  const fs::file_status st = entry.symlink_status(ec);
  if (ec) {
    return std::nullopt;
  }
  if (fs::is_directory(st)) {
    return true;
  }
  if (fs::is_regular_file(st)) {
    return false;
  }
  return std::nullopt;
}

// The host name for a new card name: the name is kept as given, in UTF-8.
std::optional<std::string> HostName(std::string_view cardName) {
  std::string utf8 = Cp949ToUtf8(cardName);
  const std::optional<std::string> back = Utf8ToCp949(utf8);
  if (!back || *back != cardName) {
    return std::nullopt;  // bytes that are no CP949 text
  }
  return utf8;
}

void FillDate(const fs::path& host, CardEntry& e) {
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) {
    return;
  }
  std::tm local{};
  const std::time_t t = info.st_mtime;
  if (::localtime_r(&t, &local) == nullptr) {
    return;
  }
  e.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  e.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  e.day = static_cast<std::uint16_t>(local.tm_mday);
  e.hour = static_cast<std::uint16_t>(local.tm_hour);
  e.minute = static_cast<std::uint16_t>(local.tm_min);
}

}  // namespace

Card::Card(fs::path root, std::uint32_t totalBytes, bool unformatted)
    : root_(std::move(root)), total_(totalBytes), formatted_(!unformatted) {
  std::error_code ec;
  fs::create_directories(root_, ec);
  if (formatted_ && fs::is_empty(root_, ec) && !ec) {
    for (const char* name : kStandardFolders) {
      fs::create_directory(root_ / name, ec);
    }
  }
}

std::uint64_t Card::UsedBytes(const fs::path& dir) const {
  std::uint64_t used = 0;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::optional<bool> folder = IsCardFolder(*it);
    if (!folder || !CardName(it->path())) {
      continue;
    }
    if (*folder) {
      used += kCluster + UsedBytes(it->path());
    } else {
      std::error_code sizeError;
      const std::uintmax_t size = fs::file_size(it->path(), sizeError);
      used += sizeError ? 0 : Clusters(size);
    }
  }
  return used;
}

std::uint64_t Card::UsedNow() const {
  if (!used_) {
    used_ = UsedBytes(root_);
  }
  return *used_;
}

void Card::AddUsed(std::int64_t bytes) {
  if (used_) {
    *used_ = bytes < 0 && static_cast<std::uint64_t>(-bytes) > *used_
                 ? 0
                 : static_cast<std::uint64_t>(static_cast<std::int64_t>(*used_) + bytes);
  }
}

std::uint32_t Card::Used() const {
  if (!formatted_) {
    return 0;
  }
  used_.reset();
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(UsedNow(), total_));
}

std::uint32_t Card::Free() const {
  if (!formatted_) {
    return total_;
  }
  return total_ - static_cast<std::uint32_t>(std::min<std::uint64_t>(UsedNow(), total_));
}

CardResult Card::Format() {
  std::error_code ec;
  fs::create_directories(root_, ec);
  for (fs::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code removeError;
    fs::remove_all(it->path(), removeError);  // removes a link, never what it points to
    if (removeError) {
      return CardResult::kFailed;
    }
  }
  if (ec) {
    return CardResult::kFailed;
  }
  // Formatting erases the whole card; the host creates the standard folders
  // again itself.
  formatted_ = true;
  used_ = 0;
  return CardResult::kOk;
}

std::optional<Card::Found> Card::Child(const fs::path& dir, std::string_view name) const {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::optional<bool> folder = IsCardFolder(*it);
    if (!folder) {
      continue;
    }
    const std::optional<std::string> cardName = CardName(it->path());
    if (cardName && SameNameIgnoringAsciiCase(*cardName, name)) {
      return Found{it->path(), *folder};
    }
  }
  return std::nullopt;
}

std::optional<Card::Found> Card::Resolve(std::string_view path) const {
  const auto names = SplitConsolePath(path);
  if (!names) {
    return std::nullopt;
  }
  Found at{root_, true};
  for (const std::string& name : *names) {
    if (!at.folder) {
      return std::nullopt;
    }
    const auto next = Child(at.host, name);
    if (!next) {
      return std::nullopt;
    }
    at = *next;
  }
  return at;
}

std::optional<Card::Found> Card::ResolveParent(std::string_view path, std::string& leaf,
                                               bool& parentMissing) const {
  parentMissing = false;
  auto names = SplitConsolePath(path);
  if (!names || names->empty()) {
    return std::nullopt;
  }
  leaf = names->back();
  names->pop_back();
  Found at{root_, true};
  for (const std::string& name : *names) {
    const auto next = at.folder ? Child(at.host, name) : std::nullopt;
    if (!next || !next->folder) {
      parentMissing = true;
      return std::nullopt;
    }
    at = *next;
  }
  return at;
}

CardResult Card::List(std::string_view folder, std::vector<CardEntry>& out) const {
  out.clear();
  if (!formatted_) {
    return CardResult::kUnformatted;
  }
  const auto dir = Resolve(folder);
  if (!dir || !dir->folder) {
    return CardResult::kFailed;
  }
  std::error_code ec;
  for (fs::directory_iterator it(dir->host, ec), end; !ec && it != end; it.increment(ec)) {
    const std::optional<bool> isFolder = IsCardFolder(*it);
    const std::optional<std::string> name = CardName(it->path());
    if (!isFolder || !name) {
      continue;
    }
    // A FAT card without long names keeps its names in upper case; of host
    // names that differ only in case the card sees the first, as Child does.
    const std::string cardName = UpperCaseShortName(*name);
    if (std::any_of(out.begin(), out.end(),
                    [&](const CardEntry& listed) { return listed.name == cardName; })) {
      continue;
    }
    CardEntry e;
    e.folder = *isFolder;
    e.name = cardName;
    if (!e.folder) {
      std::error_code sizeError;
      e.size = static_cast<std::uint32_t>(fs::file_size(it->path(), sizeError));
    }
    FillDate(it->path(), e);
    out.push_back(std::move(e));
  }
  // Folders first, then files, each by name: a stable order for the host.
  std::sort(out.begin(), out.end(), [](const CardEntry& a, const CardEntry& b) {
    return a.folder != b.folder ? a.folder : a.name < b.name;
  });
  return CardResult::kOk;
}

CardResult Card::CreateFolder(std::string_view path) {
  if (!formatted_) {
    return CardResult::kFailed;
  }
  std::string leaf;
  bool parentMissing = false;
  const auto parent = ResolveParent(path, leaf, parentMissing);
  if (!parent) {
    return parentMissing ? CardResult::kPathMissing : CardResult::kFailed;
  }
  const std::optional<std::string> hostName = HostName(leaf);
  if (!IsShortName(leaf) || !hostName || Child(parent->host, leaf) || Free() < kCluster) {
    return CardResult::kFailed;
  }
  std::error_code ec;
  if (!fs::create_directory(parent->host / *hostName, ec) || ec) {
    return CardResult::kFailed;
  }
  AddUsed(kCluster);
  return CardResult::kOk;
}

CardResult Card::RemoveFolder(std::string_view path) {
  if (!formatted_) {
    return CardResult::kFailed;
  }
  const auto names = SplitConsolePath(path);
  const auto found = Resolve(path);
  if (!names || names->empty() || !found || !found->folder) {
    return CardResult::kFailed;  // the root is never removed
  }
  const std::uint64_t freed = kCluster + UsedBytes(found->host);
  std::error_code ec;
  fs::remove_all(found->host, ec);
  if (ec) {
    used_.reset();  // partly removed: counted again when next asked
    return CardResult::kFailed;
  }
  AddUsed(-static_cast<std::int64_t>(freed));
  return CardResult::kOk;
}

CardResult Card::RemoveFile(std::string_view path) {
  if (!formatted_) {
    return CardResult::kFailed;
  }
  const auto found = Resolve(path);
  if (!found || found->folder) {
    return CardResult::kFailed;
  }
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(found->host, ec);
  const std::uint64_t freed = ec ? 0 : Clusters(size);
  if (!fs::remove(found->host, ec) || ec) {
    return CardResult::kFailed;
  }
  AddUsed(-static_cast<std::int64_t>(freed));
  return CardResult::kOk;
}

CardResult Card::CheckFolder(std::string_view folder) const {
  if (!formatted_) {
    return CardResult::kFailed;
  }
  const auto dir = Resolve(folder);
  return dir && dir->folder ? CardResult::kOk : CardResult::kPathMissing;
}

CardResult Card::CheckNewFile(std::string_view folder, std::string_view name,
                              std::uint32_t size) const {
  if (CardResult r = CheckFolder(folder); r != CardResult::kOk) {
    return r;
  }
  if (!IsShortName(name) || !HostName(name)) {
    return CardResult::kFailed;
  }
  const auto dir = Resolve(folder);
  const auto existing = Child(dir->host, name);
  std::uint64_t reclaimed = 0;
  if (existing) {
    if (existing->folder) {
      return CardResult::kFailed;
    }
    std::error_code ec;
    reclaimed = Clusters(fs::file_size(existing->host, ec));
  }
  // A file that does not fit is refused before any data moves.
  return Clusters(size) <= Free() + reclaimed ? CardResult::kOk : CardResult::kFailed;
}

CardResult Card::WriteFile(std::string_view folder, std::string_view name,
                           const std::vector<std::uint8_t>& data) {
  if (CardResult r = CheckNewFile(folder, name, static_cast<std::uint32_t>(data.size()));
      r != CardResult::kOk) {
    return r;
  }
  const auto dir = Resolve(folder);
  const auto existing = Child(dir->host, name);
  const fs::path target = existing ? existing->host : dir->host / *HostName(name);
  std::error_code ec;
  const std::uintmax_t oldSize = existing ? fs::file_size(existing->host, ec) : 0;
  const std::uint64_t replaced = existing && !ec ? Clusters(oldSize) : 0;
  // The card is a stand-in: its files need not reach the disk before the reply.
  if (ReplaceFile(target, data, false) != ReplaceResult::kOk) {
    return CardResult::kFailed;
  }
  AddUsed(static_cast<std::int64_t>(Clusters(data.size())) - static_cast<std::int64_t>(replaced));
  return CardResult::kOk;
}

CardResult Card::ReadFile(std::string_view path, std::vector<std::uint8_t>& out) const {
  out.clear();
  if (!formatted_) {
    return CardResult::kFailed;
  }
  const auto found = Resolve(path);
  if (!found || found->folder) {
    return CardResult::kFailed;
  }
  // A host file bigger than the card cannot be on it (and is not read whole).
  std::error_code ec;
  if (fs::file_size(found->host, ec) > total_ || ec) {
    return CardResult::kFailed;
  }
  std::ifstream in(found->host, std::ios::binary);
  if (!in) {
    return CardResult::kFailed;
  }
  // Read in blocks through the stream, which turns a failing read (a disk
  // error, a file taken away meanwhile) into its bad state; an iterator over
  // the buffer would throw instead. A file that grew past the card's size
  // meanwhile is refused as above.
  out.clear();
  char block[64 * 1024];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    out.insert(out.end(), block, block + in.gcount());
    if (out.size() > total_) {
      return CardResult::kFailed;
    }
  }
  return in.bad() ? CardResult::kFailed : CardResult::kOk;
}

}  // namespace zq::emu
