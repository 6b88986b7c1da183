#pragma once

#include <optional>
#include <string>
#include <vector>

#include "operations/device_operations.h"

namespace zq {

// The two places a program occupies on the card, in the order they are
// removed or copied: its executable, then its data folder (ending in a
// backslash).
struct ProgramTargets {
  std::string executable;
  std::string dataFolder;
};

// Lists the programs installed on the card: the names with the extension
// ZXE in zq:\game\ and FXE in zq:\zqmm\ (case ignored, files and folders
// alike). A failed listing shows its message and returns nullopt; the
// second folder is then not listed. Names that cannot be a single card name
// (a separator, a NUL, nothing before the first '.') are left out, since
// their data folder would be the listed folder itself.
std::optional<std::vector<std::string>> ListInstalledPrograms(DeviceOperations& ops);

// The names in the order the dialog's sorted list shows them: ignoring the
// case of ASCII letters (ALPHA.FXE, beta.zxe, game.zxe, Zeta.ZXE); names
// equal but for case keep their listed order.
std::vector<std::string> InListOrder(std::vector<std::string> names);

// Where the program of a listed name lives: zq:\game\ for ZXE, zq:\zqmm\ for
// FXE; the data folder is named after the part before the first '.'.
// nullopt for any other extension or a name that is not a single card name.
std::optional<ProgramTargets> LocateProgram(const std::string& name);

}  // namespace zq
