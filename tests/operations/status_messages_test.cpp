#include "operations/status_messages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

TEST(StatusMessages, EveryFamilyAgainstEveryCode) {
  // The message of each status, and which statuses each family names; every
  // other failure of a family is "unknown error occurred".
  const std::map<Status, std::string> messages = {
      {-1, "timed out"},
      {-3, "process canceled"},
      {-4, "failed to open file"},
      {-5, "unknown error occurred"},
      {-8, "invalid parameter"},
      {-9, "communication error occurred"},
      {-10, "unformatted SMC"},
      {-13, "failed to read"},
      {-15, "failed to create file"},
      {-16, "failed to write"},
      {-17, "failed to open USB port"},
      {-19, "an error occurred in ZQ61 during process"},
      {-20, "target path is not exist"},
  };
  const std::vector<std::pair<StatusFamily, std::set<Status>>> families = {
      {StatusFamily::Connect, {-17, -5, -1}},
      {StatusFamily::Disconnect, {-5, -1}},
      {StatusFamily::DiskSpace, {-19, -10, -9, -8, -5, -1}},
      {StatusFamily::FileTransfer, {-16, -15, -13, -9, -5, -4, -3, -1}},
      {StatusFamily::CopyListing, {-19, -10, -9, -5, -1}},
      {StatusFamily::FolderExists, {-19, -10, -9, -5, -1}},
      {StatusFamily::CreateCommand, {-20, -19, -9, -5, -1}},
      {StatusFamily::Remove, {-19, -9, -5, -1}},
      {StatusFamily::Format, {-19, -9, -5, -1}},
  };
  for (const auto& [family, named] : families) {
    for (Status code = -25; code <= -1; ++code) {
      const bool expectNamed = named.count(code) != 0;
      EXPECT_EQ(FamilyNames(family, code), expectNamed)
          << "family " << static_cast<int>(family) << ", code " << code;
      EXPECT_EQ(StatusMessage(family, code),
                expectNamed ? messages.at(code) : std::string("unknown error occurred"))
          << "family " << static_cast<int>(family) << ", code " << code;
    }
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
