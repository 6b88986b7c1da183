#pragma once

#include <cstdint>
#include <vector>

namespace zq::emu {

// What zq61-emu writes to a FunctionFS instance's ep0 before the gadget is
// bound: one interface of the vendor-specific class with a bulk OUT
// endpoint (0x01, ep1) and a bulk IN endpoint (0x82, ep2), at full speed
// (64-byte packets) and high speed (512-byte packets). The device
// controller may give the endpoints other numbers; the host reads them
// from the descriptors.
std::vector<std::uint8_t> FunctionFsDescriptors();

// The strings block: US English, the interface's name.
std::vector<std::uint8_t> FunctionFsStrings();

inline constexpr const char* kGadgetInterfaceName = "ZQ61 PC-Link";
inline constexpr const char* kGadgetOutEndpointFile = "ep1";  // host to console
inline constexpr const char* kGadgetInEndpointFile = "ep2";   // console to host

// One event read from ep0: 8 bytes of setup request, the type, 3 bytes of padding.
inline constexpr std::size_t kFunctionFsEventSize = 12;

}  // namespace zq::emu
