#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq {

// Console paths: "zq:\" then backslash-separated CP949 names. PC paths: the
// platform's own form, '/'-separated UTF-8. A folder's path ends in its
// separator wherever the program lists or collects paths.
inline constexpr char kConsoleSeparator = '\\';
inline constexpr char kPcSeparator = '/';

// A path is a console path when its first two characters are "zq", ignoring case.
bool IsConsolePath(std::string_view path);

// Whether the path ends in `separator`, i.e. names a folder.
bool EndsWith(std::string_view path, char separator);

// The path without one trailing separator, if it has one.
std::string WithoutSeparator(std::string_view path, char separator);

// The last component: what follows the last separator, once a trailing
// separator is set aside ("zq:\GAME\NEW\" -> "NEW").
std::string LastComponent(std::string_view path, char separator);

// Everything up to and including the last separator ("zq:\GAME\NEW" -> "zq:\GAME\").
std::string ParentWithSeparator(std::string_view path, char separator);

// `folder` (with or without its trailing backslash) joined to `name` by one backslash.
std::string ConsoleChild(std::string_view folder, std::string_view name);

// `folder` followed by exactly one backslash, as the console wants a folder
// to send into.
std::string ConsoleFolder(std::string_view folder);

// A removal or copy entry that is the "." or ".." of a listing: its last two
// characters are a period and a backslash.
bool IsDotEntry(std::string_view path);

// Whether a name listed by the console may become a file or folder inside a
// PC folder: not empty, not "." or "..", no '/', '\' or NUL.
bool IsSafeChildName(std::string_view name);

// The PC name (UTF-8) of a console name: its exact UTF-8 form when that is a
// safe child name, nullopt otherwise. A name with no exact form is never
// mapped lossily: two console names would share one PC file.
std::optional<std::string> PcNameOf(std::string_view cardName);

}  // namespace zq
