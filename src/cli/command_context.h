#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "cli/session_settings.h"
#include "cli/terminal_user_interface.h"
#include "link/link_session.h"
#include "operations/device_operations.h"

namespace zq::cli {

struct Command;

// What a command works with: the terminal's user interface, the settings of
// this run, standard output for its results, and the console, connected on
// first use and left cleanly when the command ends.
class CommandContext {
 public:
  CommandContext(TerminalUserInterface& ui, std::ostream& out, std::ostream& err, bool verbose);
  ~CommandContext();
  CommandContext(const CommandContext&) = delete;
  CommandContext& operator=(const CommandContext&) = delete;

  TerminalUserInterface& Ui() { return ui_; }
  Settings& Config() { return settings_; }
  std::ostream& Out() { return out_; }
  // The folder of the zq61-cli executable; the window's dialogs preselect
  // folders below their program's folder.
  std::filesystem::path ProgramFolder() const;

  // Connects to the console as the window does at start-up; nullptr when
  // that failed (its message has been shown).
  DeviceOperations* Device();

  // The exit status of a copy between PC and console. A copy that failed on
  // the PC's side adds, under the operation's message, the PC file and the
  // system's reason: "file name : PATH (REASON)".
  int TransferExit(bool succeeded);

  // Shows "zq61-cli <command>: <problem>" and the command's usage on
  // standard error; returns the usage exit status.
  int UsageError(const Command& command, const std::string& problem);

 private:
  TerminalUserInterface& ui_;
  SessionSettings settings_;
  std::ostream& out_;
  std::ostream& err_;
  bool verbose_;
  std::unique_ptr<LinkSession> link_;
  std::unique_ptr<DeviceOperations> device_;
  bool connected_ = false;
};

}  // namespace zq::cli
