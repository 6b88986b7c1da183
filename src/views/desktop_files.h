#pragma once

#include <QList>
#include <QUrl>
#include <string>
#include <vector>

class QMimeData;

namespace zq {

// The forms in which the desktop's file managers pass files: a drag's or the
// clipboard's "text/uri-list", and the clipboard form many of them read.
inline constexpr const char* kUriListType = "text/uri-list";
inline constexpr const char* kGnomeCopiedFilesType = "x-special/gnome-copied-files";

// The local files a drop or the clipboard carries, as CopyList holds PC
// paths: a folder's path ends in '/', a file's does not. Anything but a local
// file (a web address, a file inside an archive) is left out. Read from the
// uri list, or from the copied-files form when there is no uri list.
std::vector<std::string> LocalFilesOf(const QMimeData* data);

// The addresses of PC paths in CopyList form (a trailing '/' is dropped).
QList<QUrl> UrlsOfPaths(const std::vector<std::string>& paths);

// Puts PC paths on `data` in both forms, and as plain text one path a line.
void PutPaths(QMimeData& data, const std::vector<std::string>& paths);

}  // namespace zq
