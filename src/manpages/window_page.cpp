// The page of zq61, the window: it has only --help and --version of its own,
// so the page is kept here whole.
#include "manpages/pages.h"

namespace zq::man {

ManPage WindowPage(const Release& release) {
  ManPage page =
      PageHeader("zq61", "the desktop companion of the ZQ61 handheld game console", release);
  page.synopsis = {"zq61 [options] [FILE]"};

  page.sections.push_back(
      {"description",
       false,
       {"zq61 is an explorer window: a folder tree on the left holds the PC's drives and the "
        "console's SmartMedia card (zq:\\), and the list on the right shows the folder chosen in "
        "the tree, with the card's total, used and free space in the status bar. It copies files "
        "and whole folders both ways over the console's USB link, creates and deletes folders, "
        "and formats the card.",
        "It installs game packages (.fpk, .zpk), applies patches (.zqt) with a backup of every "
        "file they replace, uninstalls and backs up installed games, and fills an MP3 basket "
        "whose ID3v1 tags are edited before the files go to the card's MP3 folder.",
        "At start the program asks for the console to be connected and set to PC-Link mode, "
        "then opens the link. When no console answers, the window opens all the same: the PC's "
        "side works, the card's node is grayed and the status bar says \"not connected to "
        "ZQ61\". It connects by itself within about two seconds of a console appearing, shows "
        "the card's sizes and the card, and notices a console that goes away (unplugged, "
        "switched off, or silent after a time-out) without a message box, to reconnect when it "
        "answers again, at the folder that was shown. No restart is needed.",
        "Given a FILE (the desktop passes one when a package or patch is opened in the file "
        "manager), the program installs the package (.fpk, .zpk) or applies the patch (.zqt) once "
        "the console is connected, as if it had been chosen with Install or Patch. While a "
        "window runs, a second zq61 hands its FILE to that window, brings it to the front and "
        "ends: only one program holds the console's link at a time.",
        "Files and folders dragged from the file manager onto the list or onto a folder of the "
        "tree are copied there as Paste copies; rows dragged out land in the file manager, and "
        "Copy and Paste exchange files with it through the clipboard.",
        "A USB device whose ID no list names but whose interface is laid out as the console's "
        "is a candidate: the window asks once whether to use it as the ZQ61 and remembers the "
        "answer (as zq61-cli usb --adopt does); it is never written to before that.",
        "Without the hardware, zq61-emu stands in for the console."},
       {}});

  page.sections.push_back({"options",
                           false,
                           {"-h, --help shows the usage and --version the program's version; "
                            "both need no display. Besides, zq61 takes the options every Qt "
                            "program takes, such as -platform NAME, -style NAME, -display "
                            "DISPLAY and -reverse."},
                           {}});

  ManSection environment = HostEnvironment();
  environment.items.push_back(
      {"ZQ61_SCREENSHOT",
       "A file name: the program answers its own questions, shows the card's MP3 folder, saves "
       "a picture of its window to the file (PNG) and quits."});
  environment.items.push_back(
      {"QT_QPA_PLATFORM", "The window system Qt draws on, e.g. offscreen for no display."});
  page.sections.push_back(std::move(environment));

  ManSection files{"files", true, {}, {}};
  files.items = {
      {"~/.config/ZQ61 Program/usb-ids",
       "The USB IDs adopted as consoles, one vvvv:pppp a line, shared with zq61-cli."},
      {"~/.config/ZQ61 Program/ZQ61.conf",
       "The settings: the folders of packages, patches and MP3 files, and the mode. When "
       "$XDG_CONFIG_HOME is set, it takes the place of ~/.config."},
      {"~/.local/share/ZQ61 Program/ZQ61/",
       "The program's own folder: the file dialogs start in its zpk, package, zqt and mp3 "
       "folders until another folder is chosen. When $XDG_DATA_HOME is set, it takes the place "
       "of ~/.local/share."},
  };
  page.sections.push_back(std::move(files));

  page.seeAlso = {"zq61-cli", "zq61-emu"};
  return page;
}

}  // namespace zq::man
