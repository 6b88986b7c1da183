#include "platform/pc_subfolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "support/temp_dir.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;

TEST(PcSubfolders, FoldersLinksAndFilesTellApart) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> make;
    bool has;
  } cases[] = {
      {"empty", [](const fs::path&) {}, false},
      {"files only",
       [](const fs::path& at) {
         for (int i = 0; i < 50; ++i) {
           std::ofstream(at / ("f" + std::to_string(i)));
         }
       },
       false},
      {"a folder", [](const fs::path& at) { fs::create_directory(at / "sub"); }, true},
      {"a hidden folder among files",
       [](const fs::path& at) {
         std::ofstream(at / "a.txt");
         fs::create_directory(at / ".hidden");
       },
       true},
      {"a link to a folder",
       [](const fs::path& at) {
         fs::create_directory(at.parent_path() / "elsewhere");
         fs::create_directory_symlink(at.parent_path() / "elsewhere", at / "link");
       },
       true},
      {"a link to a file",
       [](const fs::path& at) {
         std::ofstream(at.parent_path() / "file");
         fs::create_symlink(at.parent_path() / "file", at / "link");
       },
       false},
      {"a dangling link",
       [](const fs::path& at) { fs::create_symlink(at.parent_path() / "gone", at / "link"); },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir root("zq-subfolders");
    const fs::path folder = root / "folder";
    fs::create_directory(folder);
    c.make(folder);
    EXPECT_EQ(HasSubfolder(folder.string()), c.has);
    EXPECT_EQ(HasSubfolder(folder.string() + "/"), c.has);
  }
}

TEST(PcSubfolders, WhatIsNoFolderHasNone) {
  TempDir root("zq-subfolders");
  std::ofstream(root / "file");
  EXPECT_FALSE(HasSubfolder((root / "file").string()));
  EXPECT_FALSE(HasSubfolder((root / "missing").string()));
  EXPECT_FALSE(HasSubfolder(""));
}

}  // namespace
}  // namespace zq::test
