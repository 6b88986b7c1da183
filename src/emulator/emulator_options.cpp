#include "emulator/emulator_options.h"

#include <charconv>

#include "platform/device_directory.h"

namespace zq::emu {
namespace {

bool ParseNumber(const std::string& text, std::uint32_t& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseFirmware(const std::string& text, std::uint8_t& major, std::uint8_t& minor) {
  const std::size_t dot = text.find('.');
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  if (dot == std::string::npos || !ParseNumber(text.substr(0, dot), a) ||
      !ParseNumber(text.substr(dot + 1), b) || a > 255 || b > 255) {
    return false;
  }
  major = static_cast<std::uint8_t>(a);
  minor = static_cast<std::uint8_t>(b);
  return true;
}

bool ParseByte(const std::string& text, std::uint8_t& out) {
  std::uint32_t value = 0;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value, hex ? 16 : 10);
  if (ec != std::errc() || ptr != end || digits.empty() || value > 255) {
    return false;
  }
  out = static_cast<std::uint8_t>(value);
  return true;
}

}  // namespace

std::optional<Fault> ParseFault(const std::string& text) {
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t colon = text.find(':', start);
    parts.push_back(text.substr(start, colon - start));
    if (colon == std::string::npos) {
      break;
    }
    start = colon + 1;
  }
  std::uint8_t command = 0;
  std::uint8_t reply = 0;
  std::uint8_t value = 0;
  if (parts.size() < 3 || !ParseByte(parts[1], command) || !ParseByte(parts[2], reply)) {
    return std::nullopt;
  }
  if (parts[0] == "no-reply" && parts.size() == 3) {
    return Fault::NoReply(command, reply);
  }
  if ((parts[0] == "stall-in" || parts[0] == "stall-out") && parts.size() == 3) {
    return Fault::Stall(command, reply, parts[0] == "stall-in");
  }
  if (parts.size() != 4 || !ParseByte(parts[3], value)) {
    return std::nullopt;
  }
  if (parts[0] == "short") {
    return Fault::ShortReply(command, reply, value);
  }
  if (parts[0] == "code") {
    return Fault::ReplyCode(command, reply, value);
  }
  if (parts[0] == "late") {
    return Fault::Late(command, reply, std::size_t{value} * 100);
  }
  return std::nullopt;
}

std::string EmulatorUsage() {
  return "usage: zq61-emu --card DIR [options]\n"
         "Stands in for a ZQ61 console in PC-Link mode, serving the card kept in DIR.\n"
         "\n"
         "  --card DIR               host folder holding the card (created and formatted\n"
         "                           with GAME, MP3, ZQSYS, ZQMM and ZQETC when missing or empty)\n"
         "  --size MIB               card size: 4, 8, 16, 32, 64 or 128 (default 16)\n"
         "  --firmware MAJOR.MINOR   firmware version reported to the host (default 2.0;\n"
         "                           before 1.5 the host sends 32768-byte blocks)\n"
         "  --unformatted            the card answers \"not formatted\" until the host formats it\n"
         "                           (formatting erases DIR's contents)\n"
         "  --speed KIB_PER_S        limit the file data rate, as a real link would (default: "
         "none)\n"
         "  --device-dir DIR         device directory to create the interface in (default:\n"
         "                           $ZQ61_DEVICE_DIR, else $XDG_RUNTIME_DIR/zq61, else "
         "/tmp/zq61-<uid>)\n"
         "  --usb-gadget FUNCTIONFS_DIR  be a USB device instead: serve through the\n"
         "                           FunctionFS instance mounted at FUNCTIONFS_DIR\n"
         "                           (scripts/usb-gadget sets one up and binds it)\n"
         "  --fault FAULT            play one fault once; FAULT is KIND:CMD:REPLY[:VALUE]: at\n"
         "                           reply REPLY (from 0) of command CMD, no-reply, short\n"
         "                           (VALUE bytes sent), code (byte 0 = VALUE), late (sent\n"
         "                           VALUE tenths of a second late), stall-in (the IN endpoint\n"
         "                           halted instead) or stall-out (the OUT endpoint halted\n"
         "                           after it; both USB only); repeatable, as in:\n"
         "                           --fault no-reply:0x20:0\n"
         "  --verbose                print every session and command on standard error\n"
         "  --version                show the program's version\n"
         "  --help                   show this text\n"
         "\n"
         "The endpoints are removed when the emulator ends (Ctrl-C included).\n";
}

std::optional<EmulatorOptions> ParseEmulatorOptions(const std::vector<std::string>& args,
                                                    std::string& error) {
  EmulatorOptions options;
  options.console.deviceDir = DefaultDeviceDirectory();
  bool haveCard = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--card") {
      if (!value(text)) {
        return std::nullopt;
      }
      options.console.card = text;
      haveCard = !text.empty();
    } else if (arg == "--size") {
      std::uint32_t mib = 0;
      if (!value(text)) {
        return std::nullopt;
      }
      if (!ParseNumber(text, mib) ||
          (mib != 4 && mib != 8 && mib != 16 && mib != 32 && mib != 64 && mib != 128)) {
        error = "--size must be 4, 8, 16, 32, 64 or 128";
        return std::nullopt;
      }
      options.console.sizeMiB = mib;
    } else if (arg == "--firmware") {
      if (!value(text)) {
        return std::nullopt;
      }
      if (!ParseFirmware(text, options.console.firmwareMajor, options.console.firmwareMinor)) {
        error = "--firmware must be MAJOR.MINOR, e.g. 1.4";
        return std::nullopt;
      }
    } else if (arg == "--unformatted") {
      options.console.unformatted = true;
    } else if (arg == "--speed") {
      if (!value(text)) {
        return std::nullopt;
      }
      if (!ParseNumber(text, options.console.speedKiBPerSecond) ||
          options.console.speedKiBPerSecond == 0) {
        error = "--speed must be a positive number of KiB per second";
        return std::nullopt;
      }
    } else if (arg == "--device-dir") {
      if (!value(text)) {
        return std::nullopt;
      }
      options.console.deviceDir = text;
    } else if (arg == "--usb-gadget") {
      if (!value(text)) {
        return std::nullopt;
      }
      options.usbGadget = text;
    } else if (arg == "--fault") {
      if (!value(text)) {
        return std::nullopt;
      }
      const auto fault = ParseFault(text);
      if (!fault) {
        error =
            "--fault must be no-reply:CMD:REPLY, short:CMD:REPLY:LENGTH, code:CMD:REPLY:CODE, "
            "late:CMD:REPLY:TENTHS, stall-in:CMD:REPLY or stall-out:CMD:REPLY";
        return std::nullopt;
      }
      options.console.faults.push_back(*fault);
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else {
      error = "unknown option: " + arg;
      return std::nullopt;
    }
  }
  if (!options.help && !options.version && !haveCard) {
    error = "--card DIR is required";
    return std::nullopt;
  }
  return options;
}

}  // namespace zq::emu
