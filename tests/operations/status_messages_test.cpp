#include "operations/status_messages.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(StatusMessages, EachFamilyNamesOnlyItsOwnCodes) {
  // The connect family does not name a short reply (-9): it is "unknown".
  EXPECT_EQ(StatusMessage(StatusFamily::Connect, status::kCommError), "unknown error occurred");
  EXPECT_EQ(StatusMessage(StatusFamily::Connect, status::kTimedOut), "timed out");
  EXPECT_EQ(StatusMessage(StatusFamily::Connect, status::kOpenPortFailed),
            "failed to open USB port");
  EXPECT_EQ(StatusMessage(StatusFamily::Remove, status::kCommError),
            "communication error occurred");
  EXPECT_EQ(StatusMessage(StatusFamily::Remove, status::kConsoleFailed),
            "an error occurred in ZQ61 during process");
  EXPECT_EQ(StatusMessage(StatusFamily::Remove, status::kPathMissing), "unknown error occurred");
  EXPECT_EQ(StatusMessage(StatusFamily::CreateCommand, status::kPathMissing),
            "target path is not exist");
  EXPECT_EQ(StatusMessage(StatusFamily::CreateCommand, status::kUnformatted),
            "unknown error occurred");
  EXPECT_EQ(StatusMessage(StatusFamily::FolderExists, status::kUnformatted), "unformatted SMC");
  EXPECT_EQ(StatusMessage(StatusFamily::CopyListing, status::kUnformatted), "unformatted SMC");
  EXPECT_EQ(StatusMessage(StatusFamily::DiskSpace, status::kBadQueryKind), "invalid parameter");
  EXPECT_EQ(StatusMessage(StatusFamily::Format, status::kUnformatted), "unknown error occurred");
  EXPECT_FALSE(FamilyNames(StatusFamily::Disconnect, status::kCommError));
  EXPECT_TRUE(FamilyNames(StatusFamily::Disconnect, status::kIoFailed));
}

// Running out of memory is a failure no family names.
TEST(StatusMessages, NoFamilyNamesRunningOutOfMemory) {
  for (const StatusFamily family :
       {StatusFamily::Connect, StatusFamily::Disconnect, StatusFamily::DiskSpace,
        StatusFamily::FileTransfer, StatusFamily::CopyListing, StatusFamily::FolderExists,
        StatusFamily::CreateCommand, StatusFamily::Remove, StatusFamily::Format}) {
    EXPECT_FALSE(FamilyNames(family, status::kNoMemory));
    EXPECT_EQ(StatusMessage(family, status::kNoMemory), "unknown error occurred");
  }
}

TEST(StatusMessages, FileTransferFamilyNamesTheLocalFileFailures) {
  const std::pair<Status, const char*> named[] = {
      {status::kShortWrite, "failed to write"},
      {status::kCreateFileFailed, "failed to create file"},
      {status::kReadFileFailed, "failed to read"},
      {status::kCommError, "communication error occurred"},
      {status::kIoFailed, "unknown error occurred"},
      {status::kOpenFileFailed, "failed to open file"},
      {status::kStopped, "process canceled"},
      {status::kTimedOut, "timed out"},
      {status::kConsoleFailed, "unknown error occurred"},  // not named by this family
      {status::kPathMissing, "unknown error occurred"},    // not named by this family
  };
  for (const auto& [code, message] : named) {
    EXPECT_EQ(StatusMessage(StatusFamily::FileTransfer, code), message) << code;
  }
}

TEST(StatusMessages, DiskTextShowsWholeKilobytesWithTwoSpaces) {
  EXPECT_EQ(DiskText(16u << 20, 1u << 20, 15u << 20),
            "total size:16384KB  used size:1024KB  free size:15360KB");
  EXPECT_EQ(DiskText(1023, 1024, 2047), "total size:0KB  used size:1KB  free size:1KB");
  // A card near 4 GiB still shows a positive number.
  EXPECT_EQ(DiskText(0xFFFFFFFFu, 0, 0), "total size:4194303KB  used size:0KB  free size:0KB");
}

TEST(StatusMessages, NamedErrorAndFilledTexts) {
  EXPECT_EQ(NamedError("no space is allowed in file name", "folder name", "/tmp/a b"),
            "no space is allowed in file name\nfolder name : /tmp/a b");
  EXPECT_EQ(FillText("now copying file '%s'", "GAME.ZXE"), "now copying file 'GAME.ZXE'");
  EXPECT_EQ(FillText("now copying file '%s'", "%s.TXT"), "now copying file '%s.TXT'");
  EXPECT_EQ(ByteCounter(1000, 1000), "1000 / 1000 Bytes");
}

}  // namespace
}  // namespace zq
