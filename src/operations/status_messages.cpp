#include "operations/status_messages.h"

#include <algorithm>
#include <span>

#include "operations/operation_texts.h"

namespace zq {

namespace {

using namespace status;

constexpr Status kConnectCodes[] = {kOpenPortFailed, kIoFailed, kTimedOut};
constexpr Status kDisconnectCodes[] = {kIoFailed, kTimedOut};
constexpr Status kDiskSpaceCodes[] = {kConsoleFailed, kUnformatted, kCommError,
                                      kBadQueryKind,  kIoFailed,    kTimedOut};
constexpr Status kFileTransferCodes[] = {kShortWrite, kCreateFileFailed, kReadFileFailed,
                                         kCommError,  kIoFailed,         kOpenFileFailed,
                                         kStopped,    kTimedOut};
constexpr Status kListingCodes[] = {kConsoleFailed, kUnformatted, kCommError, kIoFailed, kTimedOut};
constexpr Status kCreateCodes[] = {kPathMissing, kConsoleFailed, kCommError, kIoFailed, kTimedOut};
constexpr Status kRemoveCodes[] = {kConsoleFailed, kCommError, kIoFailed, kTimedOut};

std::span<const Status> NamedCodes(StatusFamily family) {
  switch (family) {
    case StatusFamily::Connect:
      return kConnectCodes;
    case StatusFamily::Disconnect:
      return kDisconnectCodes;
    case StatusFamily::DiskSpace:
      return kDiskSpaceCodes;
    case StatusFamily::FileTransfer:
      return kFileTransferCodes;
    case StatusFamily::CopyListing:
    case StatusFamily::FolderExists:
      return kListingCodes;
    case StatusFamily::CreateCommand:
      return kCreateCodes;
    case StatusFamily::Remove:
    case StatusFamily::Format:
      return kRemoveCodes;
  }
  return {};
}

const char* CodeMessage(Status code) {
  switch (code) {
    case kTimedOut:
      return text::kTimedOut;
    case kStopped:
      return text::kProcessCanceled;
    case kOpenFileFailed:
      return text::kFailedToOpenFile;
    case kBadQueryKind:
      return text::kInvalidParameter;
    case kCommError:
      return text::kCommunicationError;
    case kUnformatted:
      return text::kUnformattedSmc;
    case kReadFileFailed:
      return text::kFailedToRead;
    case kCreateFileFailed:
      return text::kFailedToCreateFile;
    case kShortWrite:
      return text::kFailedToWrite;
    case kOpenPortFailed:
      return text::kFailedToOpenUsbPort;
    case kConsoleFailed:
      return text::kConsoleError;
    case kPathMissing:
      return text::kTargetPathMissing;
    default:
      return text::kUnknownError;
  }
}

}  // namespace

bool FamilyNames(StatusFamily family, Status status) {
  std::span<const Status> codes = NamedCodes(family);
  return std::find(codes.begin(), codes.end(), status) != codes.end();
}

std::string StatusMessage(StatusFamily family, Status status) {
  return FamilyNames(family, status) ? CodeMessage(status) : text::kUnknownError;
}

std::string NamedError(const std::string& message, const std::string& label,
                       const std::string& name) {
  return message + "\n" + label + " : " + name;
}

std::string FillText(const std::string& pattern, const std::string& value) {
  std::string filled = pattern;
  auto at = filled.find("%s");
  if (at != std::string::npos) {
    filled.replace(at, 2, value);
  }
  return filled;
}

std::string DiskText(std::uint32_t totalBytes, std::uint32_t usedBytes, std::uint32_t freeBytes) {
  return "total size:" + std::to_string(totalBytes / 1024) +
         "KB  used size:" + std::to_string(usedBytes / 1024) +
         "KB  free size:" + std::to_string(freeBytes / 1024) + "KB";
}

std::string ByteCounter(std::uint32_t done, std::uint32_t total) {
  return std::to_string(done) + " / " + std::to_string(total) + " Bytes";
}

}  // namespace zq
