#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zq::cli {

class CommandContext;

// One command of zq61-cli: its name, the line shown in the usage text, a
// longer help and the function that runs it on the words after its name.
struct Command {
  std::string_view name;
  std::string_view synopsis;
  std::string_view help;
  int (*run)(CommandContext& context, const Command& self, const std::vector<std::string>& words);
};

std::span<const Command> Commands();
const Command* FindCommand(std::string_view name);

// The program's usage text, listing every command.
std::string ProgramUsage();
// The usage and help of one command.
std::string CommandUsage(const Command& command);

// The commands, each in a file of its own.
int RunInfo(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunDf(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunLs(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunMkdir(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunRm(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunPut(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunGet(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunFormat(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunInstall(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunPatch(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunGames(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunUninstall(CommandContext& context, const Command& self,
                 const std::vector<std::string>& words);
int RunBackup(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunMp3(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunMp3Show(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunUsb(CommandContext& context, const Command& self, const std::vector<std::string>& words);
int RunMp3Send(CommandContext& context, const Command& self, const std::vector<std::string>& words);

}  // namespace zq::cli
