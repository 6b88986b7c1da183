#pragma once

#include <cstdint>
#include <vector>

namespace zq::emu {

// What zq61-emu writes to a FunctionFS instance's ep0 before the gadget is
// bound: one interface of the vendor-specific class laid out as the
// console's is: a bulk IN endpoint (0x81, ep1, "PIPE00"), a bulk OUT
// endpoint the host leaves alone (0x02, ep2, "PIPE01") and a bulk OUT
// endpoint (0x03, ep3, "PIPE02"), at full speed (64-byte packets) and high
// speed (512-byte packets). The device controller may give the endpoints
// other numbers; the host reads them from the descriptors.
std::vector<std::uint8_t> FunctionFsDescriptors();

// The strings block: US English, the interface's name.
std::vector<std::uint8_t> FunctionFsStrings();

inline constexpr const char* kGadgetInterfaceName = "ZQ61 PC-Link";
inline constexpr const char* kGadgetInEndpointFile = "ep1";   // console to host
inline constexpr const char* kGadgetOutEndpointFile = "ep3";  // host to console

// One event read from ep0: 8 bytes of setup request, the type, 3 bytes of padding.
inline constexpr std::size_t kFunctionFsEventSize = 12;

}  // namespace zq::emu
