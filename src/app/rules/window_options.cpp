#include "app/rules/window_options.h"

#include "platform/program_version.h"

namespace zq {

std::string WindowUsage() {
  return "usage: zq61 [options]\n"
         "\n"
         "The desktop companion of the ZQ61 handheld game console: an explorer window\n"
         "over the console's card and the PC's folders.\n"
         "\n"
         "options:\n"
         "  -h, --help     show this text\n"
         "  --version      show the program's version\n"
         "\n"
         "Every option Qt programs take (-platform NAME, -style NAME, -display DISPLAY,\n"
         "-reverse) is understood as well.\n";
}

std::optional<WindowOptionsAnswer> AnswerWindowOptions(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") {
      break;
    }
    if (argument == "-h" || argument == "--help") {
      return WindowOptionsAnswer{WindowUsage(), 0};
    }
    if (argument == "--version") {
      return WindowOptionsAnswer{std::string("zq61 ") + kProgramVersion + "\n", 0};
    }
  }
  return std::nullopt;
}

}  // namespace zq
