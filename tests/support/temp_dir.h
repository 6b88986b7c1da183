#pragma once

#include <filesystem>
#include <string_view>

namespace zq::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes away.
class TempDir {
 public:
  explicit TempDir(std::string_view prefix = "zq-test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace zq::test
