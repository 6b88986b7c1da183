#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zq {

// One file or folder found in a PC folder.
struct PcEntry {
  std::string name;  // UTF-8
  bool isFolder = false;
};

// The files and folders of a PC folder, in name order ("." and ".." are never
// listed). nullopt when the folder cannot be read.
std::optional<std::vector<PcEntry>> ListPcFolder(const std::filesystem::path& folder);

// What a folder costs on the card besides its content.
inline constexpr std::uint64_t kFolderCost = 16384;

// The bytes a PC file or folder needs on the card: a file its size, a folder
// kFolderCost plus the estimate of everything in it. nullopt when something
// cannot be read, is neither a file nor a folder, or folders nest deeper than
// any card could hold (a link that loops back).
std::optional<std::uint64_t> EstimateCardBytes(const std::filesystem::path& path);

}  // namespace zq
