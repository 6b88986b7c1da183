#include "operations/pc_folder.h"

#include <algorithm>
#include <system_error>

namespace zq {

namespace fs = std::filesystem;

namespace {

// Far deeper than a card's paths allow; only a loop of links gets here.
constexpr int kMaxDepth = 64;

std::optional<std::uint64_t> Estimate(const fs::path& path, int depth) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error) {
    return std::nullopt;
  }
  if (fs::is_regular_file(status)) {
    std::uintmax_t size = fs::file_size(path, error);
    return error ? std::nullopt : std::optional<std::uint64_t>(size);
  }
  if (!fs::is_directory(status) || depth > kMaxDepth) {
    return std::nullopt;
  }
  auto entries = ListPcFolder(path);
  if (!entries) {
    return std::nullopt;
  }
  std::uint64_t total = kFolderCost;
  for (const PcEntry& entry : *entries) {
    auto part = Estimate(path / entry.name, depth + 1);
    if (!part) {
      return std::nullopt;
    }
    total += *part;
  }
  return total;
}

}  // namespace

std::optional<std::vector<PcEntry>> ListPcFolder(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    return std::nullopt;
  }
  std::vector<PcEntry> entries;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) {
      return std::nullopt;
    }
    std::error_code typeError;
    bool isFolder = it->is_directory(typeError);
    entries.push_back({it->path().filename().string(), isFolder && !typeError});
  }
  if (error) {
    return std::nullopt;
  }
  std::sort(entries.begin(), entries.end(),
            [](const PcEntry& a, const PcEntry& b) { return a.name < b.name; });
  return entries;
}

std::optional<std::uint64_t> EstimateCardBytes(const fs::path& path) {
  return Estimate(path, 0);
}

}  // namespace zq
