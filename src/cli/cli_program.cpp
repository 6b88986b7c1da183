#include "cli/cli_program.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <ostream>

#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/console_wait.h"
#include "cli/exit_status.h"
#include "cli/terminal_user_interface.h"
#include "operations/operation_texts.h"
#include "platform/console_presence.h"
#include "platform/program_version.h"

namespace zq::cli {

namespace {

struct GlobalFlags {
  bool yes = false;
  bool quiet = false;
  bool verbose = false;
  bool help = false;
  bool wait = false;
  bool badWait = false;
  std::optional<std::chrono::seconds> waitLimit;
  bool version = false;
};

// Takes the program's own flags out of the words, wherever they stand before
// a "--", so that "zq61-cli put --yes ..." works like "zq61-cli --yes put ...".
bool TakeGlobalFlag(const std::string& word, GlobalFlags& flags) {
  if (word == "-y" || word == "--yes") {
    flags.yes = true;
  } else if (word == "-q" || word == "--quiet") {
    flags.quiet = true;
  } else if (word == "-v" || word == "--verbose") {
    flags.verbose = true;
  } else if (word == "-h" || word == "--help") {
    flags.help = true;
  } else if (word == "--wait" || word.starts_with("--wait=")) {
    flags.wait = true;
    const std::string_view value =
        std::string_view(word).substr(std::min<std::size_t>(word.size(), 7));
    flags.badWait = flags.badWait || (word.size() > 6 && word[6] == '=' && value.empty()) ||
                    !ParseWaitSeconds(value, flags.waitLimit);
  } else if (word == "--version") {
    flags.version = true;
  } else {
    return false;
  }
  return true;
}

int ProgramUsageError(std::ostream& err, const std::string& problem) {
  err << "zq61-cli: " << problem << "\n\n" << ProgramUsage() << std::flush;
  return kExitUsage;
}

// Output that could not be written (a full disk, a closed pipe, /dev/full)
// fails the run: a script must not take a cut listing for a whole one.
int CheckedExit(ProgramStreams& streams, int status) {
  errno = 0;
  streams.out.flush();
  if (streams.out.good()) {
    return status;
  }
  const int reason = streams.outputError ? streams.outputError() : errno;
  streams.err << "zq61-cli: cannot write standard output";
  if (reason != 0) {
    streams.err << ": " << std::strerror(reason);
  }
  streams.err << '\n' << std::flush;
  return status == kExitSuccess ? kExitFailed : status;
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, ProgramStreams streams) {
  GlobalFlags flags;
  std::string commandName;
  std::vector<std::string> words;
  bool optionsEnded = false;
  for (const std::string& word : arguments) {
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
      if (!commandName.empty()) {
        words.push_back(word);
      }
      continue;
    }
    if (!optionsEnded && TakeGlobalFlag(word, flags)) {
      continue;
    }
    if (commandName.empty()) {
      if (!optionsEnded && word.starts_with("-")) {
        return ProgramUsageError(streams.err, "unknown option " + word);
      }
      commandName = word;
    } else {
      words.push_back(word);
    }
  }

  if (flags.version) {
    streams.out << "zq61-cli " << kProgramVersion << "\n";
    return CheckedExit(streams, kExitSuccess);
  }
  if (commandName.empty()) {
    if (flags.help) {
      streams.out << ProgramUsage();
      return CheckedExit(streams, kExitSuccess);
    }
    return ProgramUsageError(streams.err, "no command given");
  }
  const Command* command = FindCommand(commandName);
  if (command == nullptr) {
    return ProgramUsageError(streams.err, "unknown command " + commandName);
  }
  if (flags.help) {
    streams.out << CommandUsage(*command);
    return CheckedExit(streams, kExitSuccess);
  }
  if (flags.badWait) {
    return ProgramUsageError(streams.err,
                             "--wait=SECONDS takes a whole number of seconds, 1 or more");
  }
  if (flags.wait) {
    const ConsolePresence presence = ConsolePresence::FromEnvironment();
    WaitForConsole([&presence] { return presence.Present(); }, flags.waitLimit, streams.err);
  }

  TerminalOptions options;
  options.assumeYes = flags.yes;
  options.quiet = flags.quiet;
  options.inputIsTerminal = streams.inputIsTerminal;
  options.errorIsTerminal = streams.errorIsTerminal;
  TerminalUserInterface ui(streams.err, streams.in, options);
  CommandContext context(ui, streams.out, streams.err, flags.verbose);
  int status = kExitFailed;
  try {
    status = command->run(context, *command, words);
  } catch (const std::bad_alloc&) {
    // Memory ran out where no status could say so: the message of a failure
    // that no family names, and the operation ends as failed.
    ui.ShowMessage(text::kUnknownError);
  }
  return CheckedExit(streams, status);
}

}  // namespace zq::cli
