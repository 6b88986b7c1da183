// zq61-emu: the console emulator on the command line.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "emulator/console.h"
#include "emulator/emulator_options.h"
#include "emulator/gadget_console.h"
#include "platform/program_version.h"

namespace {

zq::emu::Console* gConsole = nullptr;
zq::emu::GadgetConsole* gGadget = nullptr;

extern "C" void OnSignal(int) {
  if (gConsole != nullptr) {
    gConsole->Stop();
  }
  if (gGadget != nullptr) {
    gGadget->Stop();
  }
}

std::string CardText(const zq::emu::ConsoleConfig& config) {
  return "card " + config.card.string() + " (" + std::to_string(config.sizeMiB) +
         " MiB, firmware " + std::to_string(config.firmwareMajor) + "." +
         std::to_string(config.firmwareMinor) + ")";
}

// Opens the console, serves until a signal, closes it. `where` says where
// the host finds it.
template <typename ConsoleType, typename Where>
int Serve(ConsoleType& console, ConsoleType*& global, const zq::emu::ConsoleConfig& config,
          Where where, const char* stopped) {
  // The handlers are in place before the endpoints exist: an interrupt at any
  // moment after that makes Run() return and the endpoints go away.
  global = &console;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  std::string error;
  if (!console.Open(error)) {
    global = nullptr;
    std::cerr << "zq61-emu: " << error << "\n";
    return 1;
  }
  std::cout << "zq61-emu: console " << where() << ", " << CardText(config) << "; Ctrl-C to stop"
            << std::endl;
  console.Run();
  global = nullptr;
  console.Close();
  std::cout << "zq61-emu: stopped, " << stopped << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = zq::emu::ParseEmulatorOptions(args, error);
  if (!options) {
    std::cerr << "zq61-emu: " << error << "\n\n" << zq::emu::EmulatorUsage();
    return 2;
  }
  if (options->help) {
    std::cout << zq::emu::EmulatorUsage();
    return 0;
  }
  if (options->version) {
    std::cout << "zq61-emu " << zq::kProgramVersion << "\n";
    return 0;
  }
  if (options->verbose) {
    options->console.log = [](const std::string& line) {
      std::fprintf(stderr, "zq61-emu: %s\n", line.c_str());
    };
  }
  if (!options->usbGadget.empty()) {
    zq::emu::GadgetConsole gadget(options->console, options->usbGadget);
    return Serve(
        gadget, gGadget, options->console,
        [&] { return "as a USB gadget on " + options->usbGadget.string(); },
        "gadget endpoints closed");
  }
  zq::emu::Console console(options->console);
  return Serve(
      console, gConsole, options->console, [&] { return "at " + console.InterfaceDir().string(); },
      "endpoints removed");
}
