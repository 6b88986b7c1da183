#pragma once

#include <optional>
#include <string>

namespace zq::cli {

// A PC file or folder given on the command line, made absolute and normal
// (so "." and "dir/.." name their real folder, and no PC path can begin
// with "zq" and pass for a console path); a folder ends in '/'.
// nullopt when nothing exists there.
std::optional<std::string> ExistingPcItem(const std::string& argument);

// A PC folder given on the command line, absolute and ending in '/';
// nullopt when it is not an existing folder.
std::optional<std::string> ExistingPcFolder(const std::string& argument);

}  // namespace zq::cli
