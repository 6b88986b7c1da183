#pragma once

#include <functional>
#include <string>
#include <vector>

#include "operations/settings.h"
#include "operations/user_interface.h"
#include "platform/usb/usb_listing.h"

namespace zq {

// The window's question about a USB device that no list names but that has
// the console's shape, asked while no console is connected: once for each
// ID, ever. "yes" adopts the ID (as `zq61-cli usb --adopt` does) and, when
// this user may not open the device, says how to get permission; "no" is
// kept in the settings ("USB"/"not a console") and never asked again.
class AdoptionOffer {
 public:
  using Adopt = std::function<bool(UsbId id, std::string& error)>;

  AdoptionOffer(UserInterface& ui, Settings& settings, Adopt adopt)
      : ui_(ui), settings_(settings), adopt_(std::move(adopt)) {}

  // Asks about each unlisted device of `devices` not answered yet; whether
  // one was adopted.
  bool Offer(const std::vector<UsbCandidate>& devices);

  static std::string Question(const UsbCandidate& device);
  static std::string PermissionMessage(const UsbCandidate& device);

 private:
  UserInterface& ui_;
  Settings& settings_;
  Adopt adopt_;
};

}  // namespace zq
