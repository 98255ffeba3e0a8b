#include "FileHandOver.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace nerav {

namespace {

constexpr int HandOverTimeoutMs = 2000;
// A path is one line of UTF-8; nothing longer is accepted from the socket.
constexpr qint64 MaxPathBytes = 64 * 1024;

} // namespace

QString HandOverSocketPath(const QString &lockFilePath)
{
    const QFileInfo lock(lockFilePath);
    return lock.path() + QLatin1Char('/') + lock.completeBaseName() + QStringLiteral(".socket");
}

FileHandOverServer::FileHandOverServer(const QString &socketPath, QObject *parent)
    : QObject(parent), m_socketPath(socketPath), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &FileHandOverServer::acceptConnection);
}

bool FileHandOverServer::listen()
{
    if (m_server->isListening())
        return true;
    QLocalServer::removeServer(m_socketPath);
    return m_server->listen(m_socketPath);
}

void FileHandOverServer::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The path is complete at its line end; the sender may already have gone.
        const auto readPath = [this, socket] {
            if (socket->bytesAvailable() > MaxPathBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->disconnectFromServer();
            if (!path.isEmpty())
                emit fileReceived(path);
        };
        connect(socket, &QLocalSocket::readyRead, this, readPath);
        readPath();
    }
}

bool HandFileToRunningInstance(const QString &socketPath, const QString &path)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(HandOverTimeoutMs))
        return false;
    const QByteArray line = QFileInfo(path).absoluteFilePath().toUtf8() + '\n';
    if (socket.write(line) != line.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(HandOverTimeoutMs))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

} // namespace nerav
