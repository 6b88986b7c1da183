#pragma once

#include <string>

namespace zq {

// Whether a PC folder holds at least one folder (hidden ones and links to
// folders count), for a tree node's expand button. Where the file system
// keeps one link per subfolder, a link count above two answers at once;
// otherwise the names are read until the first folder, telling most apart
// by the type the listing gives without asking the file system for each.
bool HasSubfolder(const std::string& path);

}  // namespace zq
