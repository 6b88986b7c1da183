#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zq {

// One selected row as Copy sees it: its raw name and whether it is a folder.
struct SelectedRow {
  std::string rawName;
  bool isFolder = false;
};

// Copy: the full path of every selected row in list order, the ".." row
// skipped; a folder's path ends in the folder's separator.
std::vector<std::string> CollectSelection(std::string_view currentPath,
                                          const std::vector<SelectedRow>& rows);

// What the removal question says will be removed: how many items and the
// first three names (display names, ".." left out), e.g.
// "2 items will be removed: ONE.MP3, DOCS".
std::string RemovalDetail(const std::vector<std::string>& names);

inline constexpr std::string_view kFormatDetail =
    "Every file and folder on the card will be erased.";

inline constexpr std::string_view kNewFolderName = "NewDir";
inline constexpr std::string_view kSameFolderMessage = "same folder already exists";
inline constexpr std::string_view kTooLongMessage =
    "too long file name\nmaximum 8 characters allowed for file name";
inline constexpr std::string_view kCreateFolderFailedMessage = "failed to create folder";
inline constexpr std::string_view kErrorCaption = "ERROR";

enum class NewFolderVerdict { Create, AlreadyExists, TooLong, Empty };

// The checks on a new console folder's name (CP949 bytes, counted in bytes)
// against the names of the other rows, in this order: an existing name, then
// the length. An empty name creates nothing.
NewFolderVerdict CheckNewConsoleFolder(std::string_view name,
                                       const std::vector<std::string>& otherNames);

// Which entries of the list's context menu are enabled, and the checked style.
struct ContextMenuState {
  bool newFolder = true;
  bool copy = true;
  bool paste = true;
  bool remove = true;
  int checkedStyle = 1;  // 0 large icons, 1 details, 2 small icons, 3 list
};
ContextMenuState ContextMenuFor(bool anySelected, bool zqMode, bool copyListEmpty, int listStyle);

}  // namespace zq
