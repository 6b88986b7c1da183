#pragma once

// The bytes both ends of the link agree on: packet size, command codes sent
// by the host, reply codes sent by the console. Constants only; shared by the
// host's link and the console emulator, whose logic is its own (what else it
// shares with the host, and why, is noted in emulator/card.h).

#include <cstddef>
#include <cstdint>

namespace zq::wire {

inline constexpr std::size_t kPacketSize = 256;
// A string packet: length byte, characters, NUL.
inline constexpr std::size_t kMaxStringLength = kPacketSize - 2;
// The console announces chunks with a 16-bit length.
inline constexpr std::uint32_t kMaxChunk = 0xFFFF;
inline constexpr std::uint32_t kLargeBlock = 0x40000;  // firmware 1.5 and later
inline constexpr std::uint32_t kSmallBlock = 0x8000;   // older firmware

// Identification record (reply to kIdentify).
inline constexpr std::size_t kIdentificationSize = 24;
inline constexpr std::size_t kFirmwareMinorOffset = 13;
inline constexpr std::size_t kFirmwareMajorOffset = 15;

// Host to console.
namespace cmd {
inline constexpr std::uint8_t kGoOn = 0x03;
inline constexpr std::uint8_t kLeave = 0x10;
inline constexpr std::uint8_t kDiskInfo = 0x20;
inline constexpr std::uint8_t kIdentify = 0x40;
inline constexpr std::uint8_t kReceiveFile = 0x70;
inline constexpr std::uint8_t kNextChunk = 0x71;
inline constexpr std::uint8_t kChunkData = 0x72;
inline constexpr std::uint8_t kReceiveDone = 0x73;
inline constexpr std::uint8_t kFormat = 0x80;
inline constexpr std::uint8_t kListNames = 0x90;
inline constexpr std::uint8_t kListFull = 0x95;
inline constexpr std::uint8_t kCreateFolder = 0xA0;
inline constexpr std::uint8_t kRemoveFolder = 0xB0;
inline constexpr std::uint8_t kRemoveFile = 0xC0;
inline constexpr std::uint8_t kSendFile = 0xD0;
}  // namespace cmd

// Console to host: byte 0 of a reply.
namespace reply {
inline constexpr std::uint8_t kDiskInfo = 0x21;
inline constexpr std::uint8_t kFormatStarted = 0x81;
inline constexpr std::uint8_t kFormatDone = 0x82;
inline constexpr std::uint8_t kNameEntry = 0x91;
inline constexpr std::uint8_t kNamesEnd = 0x92;
inline constexpr std::uint8_t kFullEntry = 0x96;
inline constexpr std::uint8_t kFullEnd = 0x97;
inline constexpr std::uint8_t kFolderCreated = 0xA1;
inline constexpr std::uint8_t kFolderRemoved = 0xB1;
inline constexpr std::uint8_t kFileRemoved = 0xC1;
inline constexpr std::uint8_t kSendFolderOk = 0xD1;
inline constexpr std::uint8_t kSendWantLength = 0xD2;
inline constexpr std::uint8_t kSendWantData = 0xD3;
inline constexpr std::uint8_t kSendDone = 0xD4;
inline constexpr std::uint8_t kSendNameOk = 0xD7;
inline constexpr std::uint8_t kNotFormatted = 0xF1;
inline constexpr std::uint8_t kPathMissing = 0xFE;
inline constexpr std::uint8_t kFailed = 0xFF;
}  // namespace reply

// Entry reply layout: code, type, name length n, n name bytes, then (full
// listings only) size (4 bytes), year, month, day, hour, minute (2 bytes each).
inline constexpr std::size_t kEntryNameOffset = 3;
inline constexpr std::size_t kMaxListedName = 12;

// The largest SmartMedia card the console takes (128 MiB): no file on a card,
// sent or received, can be larger.
inline constexpr std::uint32_t kLargestCard = 128u << 20;

// A file-size reply of all one bits: the console could not open the file.
inline constexpr std::uint32_t kNoSuchFileSize = 0xFFFFFFFF;

}  // namespace zq::wire
