#include "views/desktop_files.h"

#include <QFileInfo>
#include <QMimeData>
#include <QStringList>

namespace zq {

namespace {

QList<QUrl> UrlsOf(const QMimeData* data) {
  if (data->hasUrls()) {
    return data->urls();
  }
  QList<QUrl> urls;
  if (data->hasFormat(kGnomeCopiedFilesType)) {
    // "copy" or "cut" on the first line, then one address a line. A cut is
    // taken as a copy: the file manager's files are never removed from here.
    const QStringList lines =
        QString::fromUtf8(data->data(kGnomeCopiedFilesType)).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      urls.push_back(QUrl(lines[i].trimmed()));
    }
  }
  return urls;
}

}  // namespace

std::vector<std::string> LocalFilesOf(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr) {
    return paths;
  }
  for (const QUrl& url : UrlsOf(data)) {
    if (!url.isLocalFile()) {
      continue;
    }
    QString path = url.toLocalFile();
    while (path.size() > 1 && path.endsWith('/')) {
      path.chop(1);
    }
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
      continue;
    }
    std::string entry = path.toStdString();
    if (info.isDir() && entry != "/") {
      entry += '/';
    }
    paths.push_back(std::move(entry));
  }
  return paths;
}

QList<QUrl> UrlsOfPaths(const std::vector<std::string>& paths) {
  QList<QUrl> urls;
  for (const std::string& path : paths) {
    QString local = QString::fromStdString(path);
    if (local.size() > 1 && local.endsWith('/')) {
      local.chop(1);
    }
    urls.push_back(QUrl::fromLocalFile(local));
  }
  return urls;
}

void PutPaths(QMimeData& data, const std::vector<std::string>& paths) {
  const QList<QUrl> urls = UrlsOfPaths(paths);
  data.setUrls(urls);
  QByteArray copied = "copy";
  QStringList lines;
  for (const QUrl& url : urls) {
    copied += '\n' + url.toEncoded();
    lines.push_back(url.toLocalFile());
  }
  data.setData(kGnomeCopiedFilesType, copied);
  data.setText(lines.join('\n'));
}

}  // namespace zq
