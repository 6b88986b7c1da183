#include "mp3/pc_folder_browser.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "mp3/basket_names.h"

namespace zq {

namespace fs = std::filesystem;

PcFolderBrowser::PcFolderBrowser(std::string folder) : folder_(WithSeparator(std::move(folder))) {}

void PcFolderBrowser::SetFolder(std::string folder) {
  folder_ = WithSeparator(std::move(folder));
}

std::string PcFolderBrowser::WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') {
    folder.push_back('/');
  }
  return folder;
}

std::string PcFolderBrowser::ParentOf(const std::string& folder) {
  if (folder.size() <= 1) {
    return "/";
  }
  const std::size_t slash = folder.rfind('/', folder.size() - 2);
  return slash == std::string::npos ? "/" : folder.substr(0, slash + 1);
}

std::vector<PcRow> PcFolderBrowser::List(const std::vector<std::string>& volumeRoots) const {
  std::vector<PcRow> folders;
  std::vector<PcRow> files;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back({PcRow::Kind::kFolder, name, {}, folder_ + name + "/"});
      continue;
    }
    // Hidden files (a leading dot here) and anything but regular files stay out.
    if (!it->is_regular_file(typeError) || name.starts_with('.') || !HasMp3Extension(name)) {
      continue;
    }
    const auto bytes = it->file_size(typeError);
    const std::uintmax_t kilobytes = typeError ? 0 : bytes / 1024;
    files.push_back(
        {PcRow::Kind::kMp3File, name, std::to_string(kilobytes) + "KB", folder_ + name});
  }
  // Listed in name order, as the PC's own file system returns them.
  const auto byName = [](const PcRow& a, const PcRow& b) { return a.name < b.name; };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);

  std::vector<PcRow> rows;
  if (folder_ != "/") {
    rows.push_back({PcRow::Kind::kParent, "..", {}, ParentOf(folder_)});
  }
  rows.insert(rows.end(), folders.begin(), folders.end());
  rows.insert(rows.end(), files.begin(), files.end());
  for (const std::string& root : volumeRoots) {
    const std::string rootFolder = WithSeparator(root);
    if (folder_.starts_with(rootFolder)) {
      continue;
    }
    rows.push_back({PcRow::Kind::kVolume, "[" + root + "]", {}, rootFolder});
  }
  return rows;
}

bool PcFolderBrowser::Open(const PcRow& row) {
  if (row.kind == PcRow::Kind::kMp3File) {
    return false;
  }
  folder_ = WithSeparator(row.fullPath);
  return true;
}

}  // namespace zq
