#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "operations/device_operations.h"

namespace zq {

// The two modes of the installed-programs dialog.
enum class ProgramAction { Uninstall = 1, BackUp = 2 };

// OK of the dialog in uninstall mode, for the selected name (nullopt when
// nothing is selected). Asks, removes the program's executable and data
// folder from the card and says so. Returns true when the dialog closes,
// false when it stays open (nothing selected, No, a removal that failed).
bool UninstallSelected(DeviceOperations& ops, const std::optional<std::string>& selected);

// OK of the dialog in backup mode: lets the person choose a PC folder
// (preselecting the program folder's "backup") and copies the program's
// executable and data folder into it. Returns true when the dialog closes.
bool BackUpSelected(DeviceOperations& ops, const std::optional<std::string>& selected,
                    const std::filesystem::path& programFolder);

// The dialog's caption in each mode.
const char* ProgramActionCaption(ProgramAction action);

}  // namespace zq
