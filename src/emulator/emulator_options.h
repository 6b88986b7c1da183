#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulator/console.h"

namespace zq::emu {

struct EmulatorOptions {
  ConsoleConfig console;
  bool verbose = false;
  bool help = false;
};

// The usage text of zq61-emu.
std::string EmulatorUsage();

// Parses the arguments after the program name. nullopt with `error` set when
// they are wrong. --device-dir defaults to the device directory of this machine.
std::optional<EmulatorOptions> ParseEmulatorOptions(const std::vector<std::string>& args,
                                                    std::string& error);

}  // namespace zq::emu
