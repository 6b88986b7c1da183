#pragma once

namespace zq::text {

// The messages and window texts of the device operations, exactly as the
// person sees them (typos included: they are the program's own words).

// Link statuses.
inline constexpr const char* kTimedOut = "timed out";
inline constexpr const char* kProcessCanceled = "process canceled";
inline constexpr const char* kFailedToOpenFile = "failed to open file";
inline constexpr const char* kUnknownError = "unknown error occurred";
inline constexpr const char* kInvalidParameter = "invalid parameter";
inline constexpr const char* kCommunicationError = "communication error occurred";
inline constexpr const char* kUnformattedSmc = "unformatted SMC";
inline constexpr const char* kFailedToRead = "failed to read";
inline constexpr const char* kFailedToCreateFile = "failed to create file";
inline constexpr const char* kFailedToWrite = "failed to write";
inline constexpr const char* kFailedToOpenUsbPort = "failed to open USB port";
inline constexpr const char* kConsoleError = "an error occurred in ZQ61 during process";
inline constexpr const char* kTargetPathMissing = "target path is not exist";

// Shown before or instead of a link command.
inline constexpr const char* kNotConnected = "not connected to ZQ61";
inline constexpr const char* kFailedToCreateFolder = "failed to craete folder";
inline constexpr const char* kInsufficientSpace = "insufficient space in SMC";
inline constexpr const char* kSameFolderExists = "same folder already exists";
inline constexpr const char* kSameSideCopy = "copying from ZQ61 to ZQ61 or PC to PC is not allowed";
inline constexpr const char* kFormatQuestion = "you will lost all data in SMC.\nprogress anyway?";

// The card's 8.3 name rules.
inline constexpr const char* kTooLongFileName =
    "too long file name\nmaximum 8 characters allowed for file name";
inline constexpr const char* kTooLongFolderName =
    "too long folder name\nmaximum 8 characters allowed for folder name";
inline constexpr const char* kNoSpaceInName = "no space is allowed in file name";
inline constexpr const char* kPeriodInFileName = "period(.) character is not allowed in file name";
inline constexpr const char* kPeriodInFolderName =
    "period(.) character is not allowed in folder name";
inline constexpr const char* kInvalidExtension =
    "invalid extension. only 3 characters are allowed for extension";
// A PC name with a character the card's code page cannot hold, or a name
// listed by the console that cannot be a PC file name.
inline constexpr const char* kInvalidCharInFileName = "invalid character in file name";
inline constexpr const char* kInvalidCharInFolderName = "invalid character in folder name";
// Labels of the "%s\n%s : %s" form.
inline constexpr const char* kFileNameLabel = "file name";
inline constexpr const char* kFolderNameLabel = "folder name";

// The progress window.
inline constexpr const char* kCopyingCaption = "now copying...";
inline constexpr const char* kCopyingLine = "now copying file '%s'";
inline constexpr const char* kCreatingCaption = "now creating...";
inline constexpr const char* kCreatingLine = "now creating folder '%s'";
inline constexpr const char* kRemovingFileCaption = "now removing file...";
inline constexpr const char* kRemovingFileLine = "now removing file '%s'";
inline constexpr const char* kRemovingFolderCaption = "now removing folder...";
inline constexpr const char* kRemovingFolderLine = "now removing folder '%s'";
inline constexpr const char* kFormattingCaption = "now formatting...";
inline constexpr const char* kFormattingLine = "now formatting";

}  // namespace zq::text
