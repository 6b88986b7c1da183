#include "app/rules/adoption_offer.h"

#include <algorithm>

#include "operations/console_hints.h"

namespace zq {
namespace {

constexpr const char* kSection = "USB";
constexpr const char* kDeclined = "not a console";

}  // namespace

std::string AdoptionOffer::Question(const UsbCandidate& device) {
  return "a USB device that may be the ZQ61 was found:\n" + DeviceLabel(device) +
         "\nuse it as the ZQ61?";
}

std::string AdoptionOffer::PermissionMessage(const UsbCandidate& device) {
  return "this user may not open the ZQ61 yet.\nrun `sudo zq61-cli usb --adopt " +
         FormatUsbId(device.id) + "` once, then plug it in again";
}

bool AdoptionOffer::Offer(const std::vector<UsbCandidate>& devices) {
  bool adopted = false;
  for (const UsbCandidate& device : devices) {
    std::string declined = settings_.GetString(kSection, kDeclined);
    const std::vector<UsbId> refused = ParseUsbIds(declined);
    if (device.listed || std::find(refused.begin(), refused.end(), device.id) != refused.end()) {
      continue;
    }
    if (ui_.Ask(Question(device), Buttons::YesNo, MessageIcon::Information) != Answer::Yes) {
      settings_.SetString(kSection, kDeclined,
                          declined + (declined.empty() ? "" : ",") + FormatUsbId(device.id));
      continue;
    }
    std::string error;
    if (!adopt_(device.id, error)) {
      ui_.ShowMessage(error);
      continue;
    }
    adopted = true;
    if (device.access == UsbCandidate::Access::kNoPermission) {
      ui_.ShowMessage(PermissionMessage(device), MessageIcon::Information);
    }
  }
  return adopted;
}

}  // namespace zq
