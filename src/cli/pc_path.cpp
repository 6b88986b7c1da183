#include "cli/pc_path.h"

#include <filesystem>
#include <system_error>

namespace zq::cli {

namespace {

std::string Normal(const std::string& argument) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(argument, error).lexically_normal();
  std::string text = path.string();
  while (text.size() > 1 && text.back() == '/') {
    text.pop_back();
  }
  return text;
}

}  // namespace

std::optional<std::string> ExistingPcItem(const std::string& argument) {
  if (argument.empty()) {
    return std::nullopt;
  }
  const std::string path = Normal(argument);
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    return std::nullopt;
  }
  if (std::filesystem::is_directory(status)) {
    return path == "/" ? path : path + '/';
  }
  return path;
}

std::optional<std::string> ExistingPcFolder(const std::string& argument) {
  auto path = ExistingPcItem(argument);
  if (!path || path->back() != '/') {
    return std::nullopt;
  }
  return path;
}

}  // namespace zq::cli
