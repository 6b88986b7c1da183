// zq61-emu: the console emulator on the command line.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "emulator/console.h"
#include "emulator/emulator_options.h"

namespace {

zq::emu::Console* gConsole = nullptr;

extern "C" void OnSignal(int) {
  if (gConsole != nullptr) {
    gConsole->Stop();
  }
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
  if (options->verbose) {
    options->console.log = [](const std::string& line) {
      std::fprintf(stderr, "zq61-emu: %s\n", line.c_str());
    };
  }
  zq::emu::Console console(options->console);
  // The handlers are in place before the endpoints exist: an interrupt at any
  // moment after that makes Run() return and the endpoints go away.
  gConsole = &console;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  if (!console.Open(error)) {
    gConsole = nullptr;
    std::cerr << "zq61-emu: " << error << "\n";
    return 1;
  }

  std::cout << "zq61-emu: console at " << console.InterfaceDir().string() << ", card "
            << options->console.card.string() << " (" << options->console.sizeMiB
            << " MiB, firmware " << int{options->console.firmwareMajor} << "."
            << int{options->console.firmwareMinor} << "); Ctrl-C to stop" << std::endl;
  console.Run();
  gConsole = nullptr;
  console.Close();
  std::cout << "zq61-emu: stopped, endpoints removed" << std::endl;
  return 0;
}
