#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"

namespace zq::cli {

int RunMp3(CommandContext& context, const Command& self, const std::vector<std::string>& words) {
  if (words.empty()) {
    return context.UsageError(self, "show or send expected");
  }
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (words[0] == "show") {
    return RunMp3Show(context, self, rest);
  }
  if (words[0] == "send") {
    return RunMp3Send(context, self, rest);
  }
  return context.UsageError(self, "unknown mp3 command " + words[0]);
}

}  // namespace zq::cli
