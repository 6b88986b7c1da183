#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zq {

// One file or folder listed on the console's card. The name is in the
// console's code page (CP949 bytes), at most 12 bytes.
struct RemoteEntry {
  std::uint8_t type = 0;  // 0 = file, 1 = folder
  std::uint8_t nameLength = 0;
  std::string name;
  std::uint32_t size = 0;
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;

  bool IsFolder() const { return type == 1; }
};

// A listing owns its entries and frees them when it goes away.
using EntryList = std::vector<RemoteEntry>;

enum class ListMode { Full, NamesOnly };

}  // namespace zq
