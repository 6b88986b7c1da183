#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zq {

// One row of the basket's PC list.
struct PcRow {
  enum class Kind { kParent, kFolder, kMp3File, kVolume };
  Kind kind = Kind::kFolder;
  std::string name;      // folder or file name, "..", or "[<volume root>]"
  std::string sizeText;  // "%dKB" for a file, empty otherwise
  std::string fullPath;  // the path the row stands for (folders end in '/')
};

// The PC side of the basket: the current PC folder (UTF-8, ending in '/')
// and the rows shown for it.
class PcFolderBrowser {
 public:
  explicit PcFolderBrowser(std::string folder);

  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder);

  // The rows for the current folder: "..", sub-folders, MP3 files that are
  // not hidden, then the volumes, each run in name order. A volume is left
  // out when the current folder lies on it.
  std::vector<PcRow> List(const std::vector<std::string>& volumeRoots) const;

  // Double-click on a folder, "..", or a volume row; files are not opened.
  // Returns true when the current folder changed.
  bool Open(const PcRow& row);

  // The folder above `folder`, keeping the trailing '/' ("/a/b/" gives "/a/").
  static std::string ParentOf(const std::string& folder);
  // A folder text ending in '/'.
  static std::string WithSeparator(std::string folder);

 private:
  std::string folder_;
};

}  // namespace zq
