#pragma once

#include <string>
#include <string_view>

#include "operations/device_operations.h"
#include "operations/settings.h"
#include "operations/user_interface.h"

namespace zq {

inline constexpr std::string_view kConnectPrompt =
    "please connect with ZQ61 and set it to PC-Link mode.\nif ready, press 'OK' button";
inline constexpr std::string_view kVersionValue = "0090";

// The program folder from the executable's full path: everything up to and
// including its last separator, or empty when there is none.
std::string ProgramFolderFromModulePath(std::string_view modulePath);
// A folder with exactly one trailing separator (an empty folder stays empty).
std::string WithTrailingSeparator(std::string_view folder, char separator);

// The program folder's own folders, where the file dialogs start: zpk,
// package, zqt and mp3. Made at start-up, with the program folder itself
// when it is missing; an existing one is left as it is. False when one of
// them could not be made (the dialogs then start where they can).
bool CreateProgramFolders(std::string_view programFolder);

// "PATH"/"ZPK" = program folder + "zpk" when it reads empty, then
// "version"/"version" = "0090".
void WriteStartupSettings(Settings& settings, std::string_view programFolder);

// The connect half of the list's first update: the prompt (OK only), a reset
// of the link, `ConnectDevice`; on success `ShowDiskInfo` and the start-up
// settings. On failure nothing is written and false comes back: the window
// then stays with empty views.
bool ConnectAtStartup(UserInterface& ui, DeviceOperations& operations, Settings& settings,
                      std::string_view programFolder);

}  // namespace zq
