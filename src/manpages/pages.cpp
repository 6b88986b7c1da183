#include "manpages/pages.h"

namespace zq::man {

ManPage PageHeader(std::string name, std::string summary, const Release& release) {
  ManPage page;
  page.name = std::move(name);
  page.summary = std::move(summary);
  page.source = "zq61 " + release.version;
  page.date = release.date;
  return page;
}

ManSection DeviceDirectoryEnvironment() {
  ManSection section;
  section.title = "environment";
  section.literalTerms = true;
  section.items = {
      {"ZQ61_DEVICE_DIR",
       "The device directory: each console (or emulator) is one sub-folder there, holding "
       "the endpoints PIPE00 (console to host) and PIPE02 (host to console)."},
      {"XDG_RUNTIME_DIR",
       "Without ZQ61_DEVICE_DIR the device directory is $XDG_RUNTIME_DIR/zq61, and "
       "/tmp/zq61-<uid> when this is not set either."},
  };
  return section;
}

ManSection HostEnvironment() {
  ManSection section = DeviceDirectoryEnvironment();
  section.items.insert(
      section.items.begin(),
      {{"ZQ61_TRANSPORT",
        "Where the console is looked for: usb (USB devices only), dir (the device directory "
        "only). Unset or any other value: USB devices first, then the device directory."},
       {"ZQ61_USB_IDS",
        "Further USB IDs of consoles, as vvvv:pppp[,vvvv:pppp...] in hexadecimal, beside the "
        "built-in 1209:0005 of the emulator's USB gadget and the IDs adopted with zq61-cli usb "
        "--adopt (kept in ~/.config/ZQ61 Program/usb-ids)."}});
  return section;
}

std::optional<ManPage> PageFor(std::string_view program, const Release& release) {
  if (program == "zq61") {
    return WindowPage(release);
  }
  if (program == "zq61-cli") {
    return CliPage(release);
  }
  if (program == "zq61-emu") {
    return EmulatorPage(release);
  }
  return std::nullopt;
}

}  // namespace zq::man
