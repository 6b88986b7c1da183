#include "cli/command_table.h"

#include <algorithm>

namespace zq::cli {

namespace {

constexpr Command kCommands[] = {
    {"info", "info",
     "Shows the console's identification bytes, its firmware version, the block size the\n"
     "link uses with it, and the card's total, used and free bytes.\n",
     RunInfo},
    {"df", "df",
     "Shows the card's total, used and free space in bytes, then in KB as the status bar\n"
     "of the window shows it.\n",
     RunDf},
    {"ls", "ls [CONSOLE_FOLDER]",
     "Lists a console folder (default zq:\\): one row per entry with its type (DIR or\n"
     "FILE), name, size in bytes and date.\n",
     RunLs},
    {"mkdir", "mkdir CONSOLE_FOLDER", "Creates one folder on the card; its parent must exist.\n",
     RunMkdir},
    {"rm", "rm CONSOLE_PATH...",
     "Removes files and folders from the card, in the order given, stopping at the first\n"
     "failure. A path ending in a backslash (or slash) is a folder, removed with all it\n"
     "holds; any other path is a file.\n",
     RunRm},
    {"put", "put PC_PATH... CONSOLE_FOLDER",
     "Copies PC files and folders (with everything in them) into a console folder. Before\n"
     "anything is written the whole selection is checked against the free space of the\n"
     "card and against the card's 8.3 names; a refused name writes nothing.\n",
     RunPut},
    {"get", "get CONSOLE_PATH... PC_FOLDER",
     "Copies console files and folders into a PC folder. A console path ending in a\n"
     "backslash (or slash) is a folder, copied with all it holds; an existing PC file of\n"
     "the same name is replaced, an existing PC folder of the same name stops the copy.\n",
     RunGet},
    {"format", "format",
     "Formats the card after the format question (answered Yes by --yes; No without a\n"
     "terminal), then creates the standard folders GAME, MP3, ZQSYS, ZQMM and ZQETC.\n",
     RunFormat},
    {"install", "install PACKAGE",
     "Installs a free package (.fpk) or a commercial package (.zpk) as the window's\n"
     "Install does: asks first (answered Yes by --yes), then writes its folders and files.\n",
     RunInstall},
    {"patch", "patch PATCH BACKUP_FOLDER",
     "Applies a patch file (.zqt) as the window's Patch does: asks first, then every card\n"
     "file it replaces is first copied into the existing PC folder BACKUP_FOLDER under\n"
     "the same relative path.\n",
     RunPatch},
    {"games", "games",
     "Lists the installed programs as the uninstall dialog does: the ZXE files of\n"
     "zq:\\GAME and the FXE files of zq:\\ZQMM, one per line, sorted.\n",
     RunGames},
    {"uninstall", "uninstall NAME",
     "Removes an installed program (a name listed by games) and its data folder, after\n"
     "the uninstall question (answered Yes by --yes).\n",
     RunUninstall},
    {"backup", "backup NAME PC_FOLDER",
     "Copies an installed program (a name listed by games) and its data folder into an\n"
     "existing PC folder.\n",
     RunBackup},
    {"mp3",
     "mp3 show FILE\n"
     "  mp3 send FILE... [--name N] [--title T] [--artist A] [--album B] [--year Y]\n"
     "           [--genre G] [--comment C]",
     "mp3 show prints the ID3v1 tag of a PC MP3 file as the MP3 basket reads it, and the\n"
     "console name the basket proposes. No console is needed.\n"
     "\n"
     "mp3 send puts the files into the MP3 basket, sets the fields the options give on\n"
     "every file (--name only with one file; --genre takes a number 0-79, an English\n"
     "genre name or none), applies them with the basket's checks and questions, and\n"
     "sends them all to zq:\\MP3 as NAME.mp3: the audio followed by the 128-byte tag.\n"
     "A file whose name is longer than 8 characters gets its first 8 as console name,\n"
     "as the basket's \"copy PC file name\" gives it.\n",
     RunMp3},
    {"usb", "usb [--adopt VVVV:PPPP | --forget VVVV:PPPP]",
     "Lists the USB devices that could be a console: those whose vendor:product ID is in\n"
     "the console list (the emulator's gadget 1209:0005, $ZQ61_USB_IDS and the adopted\n"
     "IDs) and the candidates: devices no list names with a vendor-specific interface laid\n"
     "out as the console's (a bulk IN first, a bulk OUT third). Each row gives the bus,\n"
     "the port, the ID, whether it is listed or a candidate, the product string and\n"
     "whether this user can open it (and why not: no permission, busy). No console\n"
     "connection is made, and a candidate is never written to.\n"
     "--adopt VVVV:PPPP makes the ID a console ID for zq61 and zq61-cli (kept in\n"
     "~/.config/ZQ61 Program/usb-ids); as root it also installs a udev rule for it in\n"
     "/etc/udev/rules.d and reloads udev, else it prints the rule and the commands that\n"
     "install it. --forget VVVV:PPPP undoes both.\n",
     RunUsb},
};

}  // namespace

std::span<const Command> Commands() {
  return kCommands;
}

const Command* FindCommand(std::string_view name) {
  const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [name](const Command& command) { return command.name == name; });
  return found == std::end(kCommands) ? nullptr : &*found;
}

std::string ProgramUsage() {
  std::string text =
      "usage: zq61-cli [--yes] [--quiet] [--verbose] [--wait[=SECONDS]] COMMAND [ARGS]\n"
      "       zq61-cli COMMAND --help\n"
      "\n"
      "Every device operation of the ZQ61 from a terminal.\n"
      "\n"
      "options:\n"
      "  -y, --yes      answer Yes to every question\n"
      "  -q, --quiet    no progress output\n"
      "  -v, --verbose  print the link's diagnostic lines on standard output\n"
      "  --wait[=SECONDS]  wait until a console is there (at most SECONDS), saying\n"
      "                 so in one line, then run the command\n"
      "  --version      the program's version\n"
      "  -h, --help     this text\n"
      "\n"
      "commands:\n";
  for (const Command& command : kCommands) {
    text += "  " + std::string(command.synopsis) + "\n";
  }
  text +=
      "\n"
      "Console paths start at zq:\\ (\"zq:\\GAME\", \"zq:/game\" and \"GAME\" are the same\n"
      "folder). The console is looked for among the USB devices whose vendor:product ID\n"
      "is 1209:0005 (the emulator's gadget) or in $ZQ61_USB_IDS (vvvv:pppp[,...]), then in\n"
      "the device directory: $ZQ61_DEVICE_DIR, else $XDG_RUNTIME_DIR/zq61, else\n"
      "/tmp/zq61-<uid>. ZQ61_TRANSPORT=usb or =dir keeps to one of the two.\n"
      "Exit status: 0 success, 1 the operation failed, 2 wrong usage.\n";
  return text;
}

std::string CommandUsage(const Command& command) {
  return "usage: zq61-cli [--yes] [--quiet] [--verbose] [--wait[=SECONDS]] " +
         std::string(command.synopsis) + "\n\n" + std::string(command.help);
}

}  // namespace zq::cli
