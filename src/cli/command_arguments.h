#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zq::cli {

// The words after a command's name, split into options with values
// ("--title T" or "--title=T") and positional arguments. "--" ends the
// options, so that a file named "-x" can be given.
struct CommandArguments {
  std::map<std::string, std::string> values;
  std::vector<std::string> positionals;
};

// nullopt and a reason when an option is unknown or lacks its value.
std::optional<CommandArguments> SplitArguments(const std::vector<std::string>& words,
                                               const std::set<std::string>& valueOptions,
                                               std::string& error);

}  // namespace zq::cli
