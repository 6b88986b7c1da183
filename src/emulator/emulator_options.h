#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "emulator/console.h"

namespace zq::emu {

struct EmulatorOptions {
  ConsoleConfig console;
  std::filesystem::path usbGadget;  // a FunctionFS mount: serve as a USB device there
  bool verbose = false;
  bool help = false;
  bool version = false;
};

// The usage text of zq61-emu.
std::string EmulatorUsage();

// Parses a --fault value: no-reply:CMD:REPLY, short:CMD:REPLY:LENGTH or
// code:CMD:REPLY:CODE (numbers decimal or 0x hexadecimal).
std::optional<Fault> ParseFault(const std::string& text);

// Parses the arguments after the program name. nullopt with `error` set when
// they are wrong. --device-dir defaults to the device directory of this machine.
std::optional<EmulatorOptions> ParseEmulatorOptions(const std::vector<std::string>& args,
                                                    std::string& error);

}  // namespace zq::emu
