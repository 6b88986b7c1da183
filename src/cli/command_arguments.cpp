#include "cli/command_arguments.h"

namespace zq::cli {

std::optional<CommandArguments> SplitArguments(const std::vector<std::string>& words,
                                               const std::set<std::string>& valueOptions,
                                               std::string& error) {
  CommandArguments result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      result.positionals.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = word;
    std::optional<std::string> value;
    if (const auto equals = word.find('='); word.starts_with("--") && equals != std::string::npos) {
      name = word.substr(0, equals);
      value = word.substr(equals + 1);
    }
    if (valueOptions.count(name) == 0) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!value) {
      if (i + 1 >= words.size()) {
        error = "option " + name + " needs a value";
        return std::nullopt;
      }
      value = words[++i];
    }
    result.values[name] = *value;
  }
  return result;
}

}  // namespace zq::cli
