#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace zq {

// One window per person: the first start listens on a local socket in the
// runtime folder; a later start hands its file (or nothing, just to be
// shown) to that window and ends, since only one program can hold the
// console's link at a time.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `name`: the socket's name, or a full path (tests use their own).
  explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // The socket in the person's runtime folder.
  static QString DefaultName();

  // A later start: gives `path` (may be empty) to the running window. False
  // when no window answers, so this start is the first.
  bool HandOver(const QString& path, int timeoutMs = 2000) const;
  // The first start: takes the socket (a leftover of a crashed run is
  // removed). False when it cannot be had.
  bool Listen();

 signals:
  // A later start handed a file over (empty: only show the window).
  void fileHandedOver(const QString& path);

 private:
  void OnNewConnection();

  QString name_;
  QLocalServer* server_ = nullptr;
};

// The file named on the command line (`zq61 FILE`), made absolute, since a
// running window may have another working folder; empty when none. Options
// begin with '-'; after "--" every argument is a file.
QString FileToOpen(const QStringList& arguments);

}  // namespace zq
