#include "app/console_offers.h"

#include <memory>

#include "app/console_watcher.h"
#include "app/qt_user_interface.h"
#include "app/rules/adoption_offer.h"
#include "operations/console_hints.h"
#include "operations/operation_texts.h"
#include "platform/transport_choice.h"
#include "platform/usb/adopted_usb_ids.h"
#include "platform/usb/usb_presence.h"

namespace zq {

void WireConsoleOffers(ConsoleWatcher& watcher, QtUserInterface& ui, Settings& settings) {
  if (TransportChoiceFromEnvironment() == TransportChoice::kDirectory) {
    return;  // no USB device is looked at
  }
  ui.informativeText = [](const std::string& message) {
    if (message != text::kFailedToOpenUsbPort) {
      return std::string();
    }
    std::string error;
    return NoConsoleHints(ListUsbCandidates(ConsoleUsbIds(), error));
  };
  WireAdoptionOffer(watcher, ui, settings);
}

void WireAdoptionOffer(ConsoleWatcher& watcher, UserInterface& ui, Settings& settings) {
  auto offer = std::make_shared<AdoptionOffer>(
      ui, settings, [](UsbId id, std::string& error) { return AdoptUsbId(id, error); });
  watcher.whileWaiting = [offer, plugged = std::vector<UsbId>()]() mutable {
    std::vector<UsbId> now = PresentUsbIds();
    if (now == plugged) {
      return;
    }
    plugged = std::move(now);
    std::string error;
    offer->Offer(ListUsbCandidates(ConsoleUsbIds(), error));
  };
}

}  // namespace zq
