#include "app/instance/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace zq {

namespace {

// One message a connection: the file's path in UTF-8, ended by a line feed.
constexpr qint64 kMaxMessage = 64 * 1024;

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) {
    folder = QDir::tempPath();
  }
  return QDir(folder).filePath(QStringLiteral("zq61-window"));
}

bool SingleInstance::HandOver(const QString& path, int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeoutMs)) {
    return false;
  }
  socket.write(path.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) {
    return false;
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) {
    socket.waitForDisconnected(timeoutMs);
  }
  return true;
}

bool SingleInstance::Listen() {
  if (server_ == nullptr) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
  }
  if (server_->listen(name_)) {
    return true;
  }
  // Nobody answered HandOver, so a socket file left there is a dead run's.
  QLocalServer::removeServer(name_);
  return server_->listen(name_);
}

void SingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage) {
          socket->abort();  // not one of ours
        }
        return;
      }
      const QString path = QString::fromUtf8(socket->readLine(kMaxMessage)).chopped(1);
      socket->disconnectFromServer();
      emit fileHandedOver(path);
    });
  }
}

QString FileToOpen(const QStringList& arguments) {
  bool options = true;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (options && argument == QStringLiteral("--")) {
      options = false;
    } else if (!argument.isEmpty() && (!options || !argument.startsWith('-'))) {
      return QFileInfo(argument).absoluteFilePath();
    }
  }
  return {};
}

}  // namespace zq
