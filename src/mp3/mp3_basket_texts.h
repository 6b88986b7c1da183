#pragma once

namespace zq::baskettext {

// The basket's own messages, as the person sees them.
inline constexpr const char* kMp3Only = "mp3 파일만 선택해 주세요.";
inline constexpr const char* kTypeFileName = "please type file name";
inline constexpr const char* kInvalidFileName = "invalid file name";
inline constexpr const char* kSameFileInList = "same file already exists in list";
inline constexpr const char* kNoTitle = "no title for this file.\nprogress anyway?";
inline constexpr const char* kNoMusician = "no musician for this file\nprogress anyway?";
inline constexpr const char* kInvalidFileInList =
    "invalid file in list\nplease modify the information and try again";
inline constexpr const char* kInsufficientSpace = "insufficient space in SMC";
inline constexpr const char* kFailedToSend = "failed to send";
inline constexpr const char* kCompleted = "completed";
inline constexpr const char* kInvalidMp3File =
    "invalid MP3 file\nplease press 'apply' button to apply the information and try again";
inline constexpr const char* kFailedToWrite = "failed to write";
inline constexpr const char* kFileNameLabel = "file name";

// The backup save dialog.
inline constexpr const char* kSaveTitle = "Save As";
inline constexpr const char* kMp3FileFilter = "MP3 file (*.mp3)";
inline constexpr const char* kMp3Pattern = "*.mp3";

}  // namespace zq::baskettext
