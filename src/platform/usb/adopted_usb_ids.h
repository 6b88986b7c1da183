#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/usb/usb_ids.h"

namespace zq {

// The USB IDs a person adopted as consoles (`zq61-cli usb --adopt`, or the
// window's question), kept for the window and the command line alike in a
// small file of their own beside the window's settings:
// $XDG_CONFIG_HOME/ZQ61 Program/usb-ids (else ~/.config/...), one
// "vvvv:pppp" a line. A file of its own, because the command line reads and
// writes it without the window's settings library.
std::filesystem::path AdoptedUsbIdsFile();

// The IDs of the file, in their order; none when it is missing. Lines that
// are no ID are passed over.
std::vector<UsbId> ReadAdoptedUsbIds(const std::filesystem::path& file = AdoptedUsbIdsFile());

// Adds (or removes) one ID; the file is replaced whole. False with `error`
// when it cannot be written.
bool AdoptUsbId(UsbId id, std::string& error,
                const std::filesystem::path& file = AdoptedUsbIdsFile());
bool ForgetUsbId(UsbId id, std::string& error,
                 const std::filesystem::path& file = AdoptedUsbIdsFile());

}  // namespace zq
