#pragma once

#include <optional>
#include <string>

#include "operations/device_operations.h"

namespace zq::cli {

// The name of an installed program as the card lists it (CP949), for a name
// given on the command line (UTF-8, case ignored); the dialog of the window
// only offers listed names. nullopt after a failed listing (its message was
// shown) or when no such program is installed (said on standard error).
std::optional<std::string> FindInstalledProgram(DeviceOperations& device, const std::string& given,
                                                const std::string& commandName);

}  // namespace zq::cli
